// The probe's content script: tells the loopback server that it ran on the
// page, with the page's run number.
fetch(location.origin + "/mark" + location.search).catch(() => {});
document.title = "marked";
