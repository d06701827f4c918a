#!/usr/bin/env python3
"""Writes the package managers' manifests for the release zip:
write-manifests.py ZIP VERSION EPOCH HOMEPAGE DOWNLOAD_URL OUT_DIR

winget (OUT_DIR/winget, the three files of a multi-file manifest: version, installer, default
locale) installs the zip's two programs as portable commands; Scoop (OUT_DIR/scoop/rotaplex.json)
unpacks the zip and puts both on the path. Both name the zip by its SHA-256."""
import datetime
import hashlib
import json
import os
import sys

zip_path, version, epoch, homepage, download_url, out = sys.argv[1:7]
zip_name = os.path.basename(zip_path)
folder = zip_name.removesuffix(".zip")
with open(zip_path, "rb") as data:
    sha256 = hashlib.sha256(data.read()).hexdigest()
url = download_url.rstrip("/") + "/" + zip_name
publisher = "the Rotaplex developers"
description = "Editor of the game server's mission rotation (servercycle.txt), and its command-line program"
programs = {"Rotaplex.exe": "rotaplex", "rotaplex-cli.exe": "rotaplex-cli"}


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write(text)


def yaml(schema, fields):
    """A flat YAML document; values as JSON strings, which YAML reads as they are."""
    lines = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{schema}.1.6.0.schema.json"]
    for key, value in fields:
        if isinstance(value, list):
            lines.append(f"{key}:")
            for item in value:
                first = True
                for item_key, item_value in item.items():
                    lines.append(f"{'- ' if first else '  '}{item_key}: {json.dumps(item_value)}")
                    first = False
        else:
            lines.append(f"{key}: {json.dumps(value)}")
    return "\n".join(lines) + "\n"


identity = [("PackageIdentifier", "Rotaplex.Rotaplex"), ("PackageVersion", version)]
winget = os.path.join(out, "winget", "Rotaplex.Rotaplex")
write(winget + ".yaml", yaml("version", identity + [
    ("DefaultLocale", "en-US"), ("ManifestType", "version"), ("ManifestVersion", "1.6.0")]))
write(winget + ".installer.yaml", yaml("installer", identity + [
    ("InstallerType", "zip"),
    ("NestedInstallerType", "portable"),
    ("NestedInstallerFiles", [{"RelativeFilePath": f"{folder}\\{exe}", "PortableCommandAlias": alias}
                              for exe, alias in programs.items()]),
    ("ReleaseDate", datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc).date().isoformat()),
    ("Installers", [{"Architecture": "x64", "InstallerUrl": url, "InstallerSha256": sha256.upper()}]),
    ("ManifestType", "installer"), ("ManifestVersion", "1.6.0")]))
write(winget + ".locale.en-US.yaml", yaml("defaultLocale", identity + [
    ("PackageLocale", "en-US"), ("Publisher", publisher), ("PackageName", "Rotaplex"), ("PackageUrl", homepage),
    ("License", "MIT"), ("ShortDescription", description),
    ("ManifestType", "defaultLocale"), ("ManifestVersion", "1.6.0")]))

scoop = {
    "version": version,
    "description": description,
    "homepage": homepage,
    "license": "MIT",
    "url": url,
    "hash": sha256,
    "extract_dir": folder,
    "bin": [[exe, alias] for exe, alias in programs.items()],
    "shortcuts": [["Rotaplex.exe", "Rotaplex"]],
}
write(os.path.join(out, "scoop", "rotaplex.json"), json.dumps(scoop, indent=2) + "\n")
