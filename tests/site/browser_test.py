#!/usr/bin/python3
"""The league's website in a real browser: Debian's headless Chromium opens
the pages that `kestrane --export-site` writes, from file://, as a desktop
and as a 375 px phone. index.html, a match day and a team page render, every
link of every page leads to a file of the site, no page scrolls sideways on
the phone, and every text stands out from its background at 4.5:1 or more.

    browser_test.py PROGRAM DATA_DIR [--screenshots FOLDER]

Exit 0 when every check holds, 1 when one fails, 77 (skipped) when Chromium,
its WebDriver or Selenium is not installed (scripts/setup.sh installs them).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
import urllib.request

SKIPPED = 77

# Every element that shows text of its own: its colour against the first
# background behind it, as the accessibility guidelines measure contrast.
CONTRAST_SCRIPT = """
function channel(v) { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); }
function rgba(text) { const m = text.match(/[\\d.]+/g) || []; return m.map(Number); }
function luminance(c) { return 0.2126 * channel(c[0]) + 0.7152 * channel(c[1]) + 0.0722 * channel(c[2]); }
function background(el) {
  for (; el; el = el.parentElement) {
    const c = rgba(getComputedStyle(el).backgroundColor);
    if (c.length >= 3 && (c.length < 4 || c[3] > 0)) return c;
  }
  return [255, 255, 255];
}
const poor = [];
for (const el of document.body.querySelectorAll('*')) {
  const own = Array.from(el.childNodes).some(n => n.nodeType === 3 && n.textContent.trim() !== '');
  if (!own || el.closest('svg') || el.getClientRects().length === 0) continue;
  const fg = rgba(getComputedStyle(el).color), bg = background(el);
  const a = luminance(fg), b = luminance(bg);
  const ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
  if (ratio < 4.5) poor.push(el.tagName + ' "' + el.textContent.trim().slice(0, 30) + '" ' + ratio.toFixed(2));
}
return poor;
"""


class Checks:
    def __init__(self):
        self.failed = []
        self.count = 0

    def expect(self, condition, what):
        self.count += 1
        if not condition:
            self.failed.append(what)
            print("ÉCHEC :", what, flush=True)


def browser(webdriver, work, phone):
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--user-data-dir=" + os.path.join(work, "profil-" + ("mobile" if phone else "bureau")),
                     "--window-size=1280,900", "--allow-file-access-from-files"):
        options.add_argument(argument)
    if phone:
        options.add_experimental_option("mobileEmulation",
                                        {"deviceMetrics": {"width": 375, "height": 800, "pixelRatio": 2}})
    from selenium.webdriver.chrome.service import Service
    return webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    program, data = sys.argv[1], sys.argv[2]
    shots = sys.argv[sys.argv.index("--screenshots") + 1] if "--screenshots" in sys.argv else None
    try:
        from selenium import webdriver
    except ImportError:
        print("SKIPPED: python3-selenium n'est pas installé (scripts/setup.sh)")
        return SKIPPED
    if not shutil.which("chromium") or not shutil.which("chromedriver"):
        print("SKIPPED: chromium ou chromium-driver n'est pas installé (scripts/setup.sh)")
        return SKIPPED

    work = tempfile.mkdtemp(prefix="kestrane-navigateur-")
    # The browser keeps its profile, caches and crash reports in here, not in the real home.
    os.environ["HOME"] = work
    os.environ.pop("DISPLAY", None)
    site = os.path.join(work, "site")
    made = subprocess.run([program, "--data-dir", data, "--export-site", site], capture_output=True, text=True)
    if made.returncode != 0:
        print("ÉCHEC : kestrane --export-site a échoué :", made.stderr)
        return 1
    checks = Checks()
    with open(os.path.join(site, "donnees", "saison.json"), encoding="utf-8") as feed:
        team_page = json.load(feed)["equipes"][2]["page"]
    pages = sorted(name for name in os.listdir(site) if name.endswith(".html"))
    url = lambda name: "file://" + urllib.request.pathname2url(os.path.join(site, name))

    desktop = browser(webdriver, work, phone=False)
    try:
        expected_rows = {"index.html": ("classement", 20), "journee-01.html": ("matches", 10),
                         team_page: ("calendrier", 38)}
        for name, (table, rows) in expected_rows.items():
            desktop.get(url(name))
            h1 = desktop.find_element("css selector", "main h1")
            checks.expect(h1.is_displayed() and h1.text.strip() != "", name + " : titre affiché")
            shown = desktop.execute_script(
                "return Array.from(document.querySelectorAll('#%s tbody tr')).filter(r => r.offsetHeight > 0).length"
                % table)
            checks.expect(shown == rows, "%s : %d lignes affichées dans #%s (%d attendues)" % (name, shown, table, rows))
            if shots:
                desktop.save_screenshot(os.path.join(shots, "bureau-" + name.replace(".html", ".png")))
        desktop.get(url(team_page))
        chart = desktop.execute_script(
            "const s = document.querySelector('svg'); return s ? s.getBoundingClientRect().width : 0")
        checks.expect(chart > 200, team_page + " : le graphique est dessiné (%d px)" % chart)
        # A click follows a link the way a reader does.
        desktop.get(url("index.html"))
        desktop.find_element("css selector", "#classement tbody tr th a").click()
        checks.expect(desktop.current_url.split("/")[-1].startswith("equipe-"), "un clic mène à la page d'une équipe")
        for name in pages:
            desktop.get(url(name))
            links = desktop.execute_script("return Array.from(document.querySelectorAll('a[href], link[href]'), "
                                           "a => a.href)")
            for href in links:
                path = urllib.parse.unquote(urllib.parse.urlparse(href).path)
                checks.expect(href.startswith("file://") and os.path.isfile(path), name + " : lien " + href)
            poor = desktop.execute_script(CONTRAST_SCRIPT)
            checks.expect(not poor, name + " : contraste insuffisant " + "; ".join(poor[:5]))
    finally:
        desktop.quit()

    phone = browser(webdriver, work, phone=True)
    try:
        for name in pages:
            phone.get(url(name))
            width = phone.execute_script("return [document.documentElement.clientWidth, "
                                         "document.documentElement.scrollWidth]")
            checks.expect(width[0] == 375 and width[1] <= width[0],
                          "%s : à 375 px la page fait %d px de large (vue %d px)" % (name, width[1], width[0]))
            if shots and name in ("index.html", "journee-01.html", team_page, "statistiques.html"):
                phone.save_screenshot(os.path.join(shots, "mobile-" + name.replace(".html", ".png")))
    finally:
        phone.quit()

    shutil.rmtree(work, ignore_errors=True)
    print("%d passed, %d failed" % (checks.count - len(checks.failed), len(checks.failed)))
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
