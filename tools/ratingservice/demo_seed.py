"""Ratings and reviews of the demo add-ons (scripts/demo.d), in several languages.

Each add-on gets a few reviews picked from REVIEWS by a hash of its id, so
the same demo always shows the same ratings; the add-ons in MANY get more,
enough for the reviews window to fetch them page by page.
"""

import zlib

# (browser_id, plug id as the program sends it, name)
ADDONS = [
    (1, "gdpnbhhkmcjbeoaealcjkebnjmjfkapn", "Tab Saver Pro"),
    (1, "khbagmfjnacofmlpdebniohmmifbalfe", "Dunkelmodus f\u00fcr alle Seiten"),
    (1, "ocfmpkjjlbkhdgnmeidnhnabkefjhgla", "Traducteur \u00c9clair"),
    (1, "bmeafkpjplmhdbhidnfgjmnjcmlapkol", "Bloqueador de anuncios Ligero"),
    (1, "jnihpecmbkgaalfdkmdbhkcocjjmmgeo", "\u041c\u0435\u043d\u0435\u0434\u0436\u0435\u0440 \u043f\u0430\u0440\u043e\u043b\u0435\u0439"),
    (1, "lkcdeeodnbomjmfjkgbcafaddhmehjpi", "\u7f51\u9875\u622a\u56fe\u52a9\u624b"),
    (1, "pfagbnpkhlmkcdihjehmoionkegnbjcd", "\u3075\u308a\u304c\u306a\u30e1\u30fc\u30ab\u30fc"),
    (1, "ecbjmdokfndhmgpnmaoacglplhfbmkjf", "Caf\u00e9 Locator"),
    (1, "ijkhgnapcfbeomdlkjmmhbcbfagnoblm", "Weather Now"),
    (1, "nbjcgmiopalfefhkdbehdpjnoklmhjga", "Grammar Guardian"),
    # Microsoft Edge's profiles: the same browser id and name space as Chrome's.
    (1, "oklpmgjhbcnfdaeikhoapmnlgjbcdefk", "Recipe Keeper"),
    (1, "hcbdoiefpfmnnlkjgbamejakdpcmhilf", "Lesezeichen-Sortierer"),
    (1, "pabcdefghijklmnopabcdefghijklmno", "Meeting Notes"),
    (1, "gfedcbaponmlkjihgfedcbaponmlkjih", "Gestionnaire de Sessions"),
    (4, "aoebkcmnhjdpgpilflanebhgmnfhkmid", "Leitor de PDF R\u00e1pido"),
    (4, "dmgfacpkjbnlhioebkecfpkbhjmnaolg", "Cookie Cleaner"),
    (4, "kbolmgcenjpkdhfaiomnbecjgadhlpfj", "Pomodoro Focus Timer"),
    (2, "{6F1C2A3B-8D4E-4B7A-9C21-3E5F7A9B0C11}", "Lumenfield Search Helper"),
    (2, "{A83D5E71-2C9F-4E06-B4A8-71D2C6E39F22}", "Quillmark Password Keeper"),
    (2, "{D29B7C64-5A1E-4F83-8E3D-0B6A4C7D2E33}", "Tidewater"),
    (2, "{3B7E9D15-6C2A-4D48-A1F0-92C8E5B7D444}", "Kestrel Weather Bar"),
    (2, "{C64A1F38-9E7B-42D5-8B36-5D0E2F1A9C55}", "Harbour Toolbar"),
    (3, "tabtamer@quietlabs.example", "Tab Tamer"),
    (3, "{5b8e1c7a-3f2d-4e6a-9c41-2d7f0b6e8a13}", "Readwell"),
    (3, "cookiejar-keeper@morrowsoft.example", "Cookie Jar Keeper"),
    (3, "pagepeek@lantern.example", "PagePeek"),
    (3, "{c2a4f6e8-1b3d-4f57-a9c0-e1d2c3b4a596}", "Quiet Video"),
    (3, "shelfnotes@papercraft.example", "Shelf Notes"),
    (3, "colorpick@hue.example", "Hue Dropper"),
    (3, "nightowl@starling.example", "Night Owl Theme Switcher"),
    (3, "formfill-plus@tidy.example", "FormFill Plus"),
    (3, "{3d9a0c51-7e2b-4f18-8a6d-c5b4e3f2a110}", "Bookmark Harbour"),
    (3, "caf\u00e9-menu@bistro.example", "Caf\u00e9 Men\u00fc"),
    (3, "@cobalt-docs.example/CobaltViewer", "Cobalt Document Viewer"),
    (1, "@fernhill.example/Fernhill3D", "Fernhill 3D Viewer"),
]

# (nickname, content, score, date)
REVIEWS = [
    ("red cat", "Does exactly what it says. Light and quick.", 5, "2026-11-02"),
    ("M\u00fcller", "Funktioniert gut, aber die Einstellungen sind schwer zu finden.", 4, "2026-10-17"),
    ("Am\u00e9lie", "Tr\u00e8s pratique au quotidien, je le recommande.", 5, "2026-09-30"),
    ("Jos\u00e9", "Se cuelga a veces con muchas pesta\u00f1as abiertas.", 2, "2026-08-12"),
    ("\u0418\u0432\u0430\u043d", "\u041e\u0442\u043b\u0438\u0447\u043d\u043e \u0440\u0430\u0431\u043e\u0442\u0430\u0435\u0442, \u0441\u043f\u0430\u0441\u0438\u0431\u043e!", 5, "2026-07-25"),
    ("\u5c0f\u660e", "\u5f88\u597d\u7528\uff0c\u4f46\u662f\u6709\u65f6\u5019\u4f1a\u53d8\u6162\u3002", 3, "2026-11-20"),
    ("\u3086\u304d", "\u4fbf\u5229\u3067\u3059\u3002\u6bce\u65e5\u4f7f\u3063\u3066\u3044\u307e\u3059\u3002", 4, "2026-06-03"),
    ("Jo\u00e3o", "Bom, mas poderia ser mais r\u00e1pido.", 3, "2026-05-14"),
    ("pat", "Stopped working after the last update.\r\nPlease fix.", 1, "2026-12-01"),
    ("Sofia", "Ottimo, semplice e leggero.", 5, "2026-04-22"),
    ("Kowalski", "Dzia\u0142a bez zarzutu.", 4, "2026-03-09"),
    ("\u039d\u03af\u03ba\u03bf\u03c2", "\u03a0\u03bf\u03bb\u03cd \u03c7\u03c1\u03ae\u03c3\u03b9\u03bc\u03bf.", 4, "2026-02-18"),
    ("anon", "Meh.", 2, "2026-01-05"),
    ("Lars", "Precis vad jag beh\u00f6vde.", 5, "2025-12-24"),
    ("Hannah", "Seit dem letzten Update deutlich schneller. Danke!", 5, "2026-10-03"),
    ("Lucas", "Simple et efficace, rien \u00e0 redire.", 4, "2026-09-11"),
    ("Carmen", "Hace lo que promete, aunque la interfaz es algo anticuada.", 3, "2026-08-29"),
    ("\u041e\u043b\u044c\u0433\u0430", "\u0420\u0430\u0431\u043e\u0442\u0430\u0435\u0442, \u043d\u043e "
     "\u0438\u043d\u043e\u0433\u0434\u0430 \u0442\u043e\u0440\u043c\u043e\u0437\u0438\u0442.", 3, "2026-07-19"),
    ("\u963f\u5f3a", "\u975e\u5e38\u597d\u7528\uff0c\u63a8\u8350\u7ed9\u5927\u5bb6\u3002", 5, "2026-06-21"),
    ("tomek", "Too many permissions for what it does.", 2, "2026-05-30"),
    ("Grace", "I use it every day at work; it has never let me down. The options page could explain the "
     "settings a little better, but once set up it just works.", 5, "2026-04-08"),
    ("Noah", "Nice idea, but it conflicts with my other extensions.", 2, "2026-03-27"),
    ("Ingrid", "Fungerer fint.", 4, "2026-02-02"),
    ("\u5065\u592a", "\u8efd\u304f\u3066\u4f7f\u3044\u3084\u3059\u3044\u3002", 4, "2026-01-15"),
    ("Paulo", "Excelente, recomendo.", 5, "2025-12-12"),
    ("Fatima", "Works well on most sites. A few pages break with it switched on.", 3, "2025-11-28"),
    ("Emre", "\u0130\u015fe yar\u0131yor ama biraz yava\u015f.", 3, "2025-11-05"),
    ("Chloe", "Crashed twice this week.", 1, "2025-10-20"),
    ("Marek", "Dobr\u00fd dopln\u011bk, pou\u017e\u00edv\u00e1m denn\u011b.", 4, "2025-10-01"),
    ("Aiko", "Does one thing and does it well.", 5, "2025-09-14"),
    ("Sven", "Ok for now.", 3, "2025-08-30"),
    ("Ravi", "The latest version fixed the memory leak I reported. Thank you for listening!", 5, "2025-08-02"),
]

# Add-ons with reviews for several pages (ids as in ADDONS): how many.
MANY = {
    "bmeafkpjplmhdbhidnfgjmnjcmlapkol": 26,
    "ecbjmdokfndhmgpnmaoacglplhfbmkjf": 17,
    "gdpnbhhkmcjbeoaealcjkebnjmjfkapn": 31,
    "dmgfacpkjbnlhioebkecfpkbhjmnaolg": 22,
    "{6F1C2A3B-8D4E-4B7A-9C21-3E5F7A9B0C11}": 24,
    "{3d9a0c51-7e2b-4f18-8a6d-c5b4e3f2a110}": 28,
    "tabtamer@quietlabs.example": 19,
}


def reviews_for(plug_id):
    """A stable selection of 2 to 7 reviews for one add-on (more for MANY),
    none chosen twice."""
    seed = zlib.crc32(plug_id.encode("utf-8"))
    count = min(MANY.get(plug_id, 2 + seed % 6), len(REVIEWS))
    start = (seed >> 8) % len(REVIEWS)
    return [REVIEWS[(start + 3 * i) % len(REVIEWS)] for i in range(count)]
