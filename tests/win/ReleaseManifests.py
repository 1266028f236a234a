# The install manifests of a release parse, and name the zip's SHA-256 and the version.
# Usage: ReleaseManifests.py scripts/manifests Vantrel.exe VERSION
import hashlib, json, pathlib, re, subprocess, sys, tempfile, zipfile

manifests, exe, version = sys.argv[1:]
tmp = tempfile.TemporaryDirectory()
work = pathlib.Path(tmp.name)
zip_path = work / f"Vantrel-{version}-win32.zip"
with zipfile.ZipFile(zip_path, "w") as z:
    z.write(exe, "Vantrel.exe")
subprocess.run([manifests, zip_path, exe, work], check=True)
sha256 = hashlib.sha256(zip_path.read_bytes()).hexdigest()

def fields(path):  # the YAML of winget's manifests: "key: value" lines, lists of such maps
    found = {}
    for line in path.read_text().splitlines():
        m = re.fullmatch(r"(?:- |  )?([A-Za-z0-9]+):(?: ([^\s'\"{\[&*!|>%@`#].*))?", line)
        assert m and " #" not in line and ": " not in (m[2] or ""), f"{path}: {line!r}"
        assert m[1] not in found, f"{path}: {m[1]} twice"
        found[m[1]] = m[2]
    return found

kinds = {y["ManifestType"]: y for y in map(fields, (work / "winget" / version).iterdir())}
assert sorted(kinds) == ["defaultLocale", "installer", "version"], kinds
assert {(y["PackageIdentifier"], y["PackageVersion"]) for y in kinds.values()} == {
    (kinds["version"]["PackageIdentifier"], version)}
installer = kinds["installer"]
assert (installer["InstallerSha256"], installer["Architecture"]) == (sha256.upper(), "x86")
scoop = json.loads((work / "scoop" / "vantrel.json").read_text())
assert (scoop["version"], scoop["hash"], scoop["bin"]) == (version, sha256, "Vantrel.exe")
print(f"winget and Scoop manifests of {version} parse and name {sha256}")
