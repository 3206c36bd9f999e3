"""What the loopback test servers share (testserver, ratingservice, webservice).

Server(service, handler) is a threading HTTP server on a free loopback port
that keeps `service` and the time of the last request (touch()).
take_switch(switches, name) takes one use of the misbehaviour switch set for
that name (or for "*", every name), or None.

serve(server, port_file, idle_timeout, watch_pid) announces the server's port
("port N" on standard output and, with a port file, N in that file, written
beside it and renamed so a reader never sees half a number), serves until no
request came for idle_timeout seconds or the watched process is gone, then
removes the port file and ends the process at once (connections still open
are not waited for). The server must keep `last_request` (time.monotonic())
up to date.
"""
import os
import sys
import threading
import time
from http.server import ThreadingHTTPServer


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, service, handler):
        super().__init__(("127.0.0.1", 0), handler)
        self.service = service
        self.last_request = time.monotonic()

    def touch(self):
        self.last_request = time.monotonic()


def take_switch(switches, name):
    """Call with the service's lock held. A switch is a dict with "count":
    the answers it still spoils (negative: every answer)."""
    for key in (name, "*"):
        switch = switches.get(key)
        if not switch:
            continue
        if switch["count"] > 0:
            switch["count"] -= 1
            if switch["count"] == 0:
                del switches[key]
        return switch
    return None


def _watch(server, idle_timeout, pid):
    while True:
        time.sleep(1)
        if time.monotonic() - server.last_request > idle_timeout:
            break
        if pid:
            try:
                os.kill(pid, 0)
            except ProcessLookupError:
                break
            except PermissionError:
                pass
    server.shutdown()


def serve(server, port_file=None, idle_timeout=300, watch_pid=0):
    server.last_request = time.monotonic()
    port = server.server_address[1]
    if port_file:
        partial = port_file + ".partial"
        with open(partial, "w") as f:
            f.write("%d\n" % port)
        os.replace(partial, port_file)
    print("port %d" % port, flush=True)
    threading.Thread(target=_watch, args=(server, idle_timeout, watch_pid), daemon=True).start()
    server.serve_forever()
    server.server_close()
    if port_file:
        try:
            os.remove(port_file)
        except OSError:
            pass
    sys.stdout.flush()
    os._exit(0)
