#!/usr/bin/env python3
"""Checks the package managers' manifests that scripts/package.sh wrote beside the zip:
manifests_test.py DIST_DIR VERSION

Each names the zip by its real SHA-256 and URL, this version, and the two programs at the paths
where the zip holds them; winget's three files carry the fields its schema requires."""
import hashlib
import json
import os
import sys
import zipfile

import yaml

dist, version = sys.argv[1], sys.argv[2]
zip_name = f"Rotaplex-{version}-win64.zip"
with open(os.path.join(dist, zip_name), "rb") as data:
    sha256 = hashlib.sha256(data.read()).hexdigest()
with zipfile.ZipFile(os.path.join(dist, zip_name)) as archive:
    in_zip = set(archive.namelist())
programs = {"Rotaplex.exe", "rotaplex-cli.exe"}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def read_yaml(name):
    with open(os.path.join(dist, "winget", name), encoding="utf-8") as file:
        return yaml.safe_load(file)


required = {
    "version": {"PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"},
    "installer": {"PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"},
    "defaultLocale": {"PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                      "License", "ShortDescription", "ManifestType", "ManifestVersion"},
}
manifests = {
    "version": read_yaml("Rotaplex.Rotaplex.yaml"),
    "installer": read_yaml("Rotaplex.Rotaplex.installer.yaml"),
    "defaultLocale": read_yaml("Rotaplex.Rotaplex.locale.en-US.yaml"),
}
for kind, manifest in manifests.items():
    check(required[kind] <= manifest.keys(), f"winget {kind}: missing {required[kind] - manifest.keys()}")
    check(manifest.get("ManifestType") == kind, f"winget {kind}: ManifestType {manifest.get('ManifestType')}")
    check(manifest.get("PackageIdentifier") == "Rotaplex.Rotaplex", f"winget {kind}: another identifier")
    check(manifest.get("PackageVersion") == version, f"winget {kind}: version {manifest.get('PackageVersion')}")
    check(manifest.get("ManifestVersion") == manifests["version"].get("ManifestVersion"),
          f"winget {kind}: another manifest version")
check(manifests["version"].get("DefaultLocale") == manifests["defaultLocale"].get("PackageLocale"),
      "winget: the default locale has no manifest")

installer = manifests["installer"]
check(installer.get("InstallerType") == "zip" and installer.get("NestedInstallerType") == "portable",
      "winget: not a zip of portable programs")
nested = installer.get("NestedInstallerFiles", [])
check({entry["RelativeFilePath"].replace("\\", "/") for entry in nested} ==
      {f"Rotaplex-{version}-win64/{exe}" for exe in programs} & in_zip,
      f"winget: the programs are not where the zip holds them: {nested}")
check(all(entry.get("PortableCommandAlias") for entry in nested), "winget: a program without a command")
for entry in installer.get("Installers", []):
    check(entry.get("Architecture") == "x64", "winget: not x64")
    check(entry.get("InstallerSha256") == sha256.upper(), "winget: not the zip's SHA-256")
    check(entry.get("InstallerUrl", "").startswith("https://") and entry["InstallerUrl"].endswith("/" + zip_name),
          f"winget: URL {entry.get('InstallerUrl')}")
check(len(installer.get("Installers", [])) == 1, "winget: not one installer")

with open(os.path.join(dist, "scoop", "rotaplex.json"), encoding="utf-8") as file:
    scoop = json.load(file)
for field in ("version", "description", "homepage", "license", "url", "hash", "bin"):
    check(field in scoop, f"scoop: no {field}")
check(scoop.get("version") == version, f"scoop: version {scoop.get('version')}")
check(scoop.get("hash") == sha256, "scoop: not the zip's SHA-256")
check(scoop.get("url", "").endswith("/" + zip_name), f"scoop: URL {scoop.get('url')}")
extract = scoop.get("extract_dir", "")
check({f"{extract}/{entry[0]}" for entry in scoop.get("bin", [])} == {f"{extract}/{exe}" for exe in programs} & in_zip,
      f"scoop: the commands are not where the zip holds them: {scoop.get('bin')}")

for failure in failures:
    print("FAIL:", failure)
print("all passed" if not failures else f"{len(failures)} failed")
sys.exit(1 if failures else 0)
