#!/usr/bin/env python3
"""Builds a developer's Linux home, shaped like a real one, once; later runs find it complete.

usage: make_linux_home.py DIR [NPM_CACHE]

The caches of a browser, the desktop and the graphics stack, Flatpak and Snap apps, pip, Yarn,
Go, Cargo, Maven, Gradle, ccache, JetBrains and VS Code; a Rust project with its tagged target/
folder and a web project with its node_modules; documents, a Trash and Downloads. File counts and
sizes follow what those tools write; contents are synthesised, except the npm cache, copied from
NPM_CACHE (one made with `npm cache add --cache NPM_CACHE ...`) when it is given.
"""
import os
import random
import shutil
import stat
import sys

root = sys.argv[1]
npm_cache = sys.argv[2] if len(sys.argv) > 2 else None
stamp = os.path.join(root, ".complete")
if os.path.exists(stamp):
    sys.exit(0)

rng = random.Random(13)
home = os.path.join(root, "home")
chunk = bytes(rng.getrandbits(8) for _ in range(1 << 16)) * 16
TAG = "Signature: 8a477f597d28d172789f06886806bc55\n# This file is a cache directory tag.\n"


def write(path, size):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        while size > 0:
            n = min(size, len(chunk))
            f.write(chunk[:n])
            size -= n


def files(folder, count, low, high, name="f%05d", depth=1, fanout=16):
    """`count` files of `low`..`high` bytes, spread over `depth` levels of `fanout` folders."""
    for i in range(count):
        parts = [folder]
        for level in range(depth - 1):
            parts.append("%02x" % ((i // fanout ** level) % fanout))
        write(os.path.join(*parts, name % i), rng.randint(low, high))


def text(path, body):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(body)


def desktop_entry(path, name, keys=""):
    text(path, "[Desktop Entry]\nType=Application\nName=%s\n%s" % (name, keys))


h = lambda *parts: os.path.join(home, *parts)

# A browser's caches, the desktop's thumbnails and fonts, the graphics stack's shaders.
files(h(".cache/google-chrome/Default/Cache/Cache_Data"), 3000, 2_000, 60_000)
files(h(".cache/google-chrome/Default/Code Cache/js"), 1500, 1_000, 40_000)
files(h(".cache/mozilla/firefox/x7k2.default-release/cache2/entries"), 2000, 1_000, 50_000)
files(h(".cache/thumbnails/normal"), 2000, 5_000, 20_000, "t%05d.png")
files(h(".cache/thumbnails/large"), 1000, 15_000, 60_000, "t%05d.png")
files(h(".cache/fontconfig"), 40, 20_000, 200_000, "%05d-le64.cache-8")
text(h(".cache/fontconfig/CACHEDIR.TAG"), TAG)
write(h(".cache/mesa_shader_cache_db/part0/mesa_cache.db"), 24_000_000)
files(h(".cache/gstreamer-1.0"), 2, 100_000, 300_000, "registry.%d.bin")
files(h(".cache/tracker3/files"), 4, 1_000_000, 4_000_000, "meta%d.db")
files(h(".cache/gnome-software/appstream"), 50, 10_000, 400_000)
files(h(".cache/ibus/dbus"), 3, 1_000, 4_000)
files(h(".cache/obexd"), 3, 200_000, 2_000_000, "IMG_%04d.jpg")
files(h(".cache/evince/thumbnails"), 100, 5_000, 30_000)
files(h(".cache/spotify/Data"), 800, 50_000, 300_000, depth=2)
desktop_entry(h(".local/share/applications/google-chrome.desktop"), "Google Chrome",
              "Exec=/usr/bin/google-chrome-stable %U\nIcon=google-chrome\nStartupWMClass=Google-chrome\n")
desktop_entry(h(".local/share/applications/spotify.desktop"), "Spotify", "Exec=spotify %U\n")

# Developer tools.
files(h(".cache/pip/http-v2"), 900, 20_000, 300_000, depth=3)
files(h(".cache/pip/wheels"), 60, 50_000, 2_000_000, "w%03d.whl", depth=2)
files(h(".cache/JetBrains/IntelliJIdea2024.1/caches"), 600, 10_000, 400_000)
files(h(".cache/JetBrains/IntelliJIdea2024.1/index"), 900, 2_000, 200_000, depth=2)
files(h(".cache/yarn/v6"), 2500, 500, 30_000, depth=2)
files(h(".cache/go-build"), 3000, 500, 80_000, "%05d-d", depth=2, fanout=256)
text(h(".cache/go-build/README"), "This directory holds cached build artifacts from the Go build system.\n")
files(h(".cache/ccache"), 2500, 1_000, 200_000, "%05dR", depth=2)
text(h(".cache/ccache/CACHEDIR.TAG"), TAG)
files(h(".cache/node-gyp/20.11.0/include/node"), 300, 2_000, 60_000, "h%03d.h")
if npm_cache:
    shutil.copytree(os.path.join(npm_cache, "_cacache"), h(".npm/_cacache"))
files(h(".npm/_npx/6bde5e3c3e1a/node_modules"), 400, 500, 40_000, depth=2)
files(h(".m2/repository/org/springframework"), 400, 20_000, 1_500_000, "lib%03d.jar", depth=2)
files(h(".gradle/caches/modules-2/files-2.1"), 700, 5_000, 800_000, "m%03d.jar", depth=2)
files(h(".gradle/wrapper/dists/gradle-8.5-bin/5t9huq95ubn472n8rpzujfbqh/gradle-8.5/lib"), 200, 20_000, 900_000,
      "g%03d.jar")
files(h(".cargo/registry/cache/index.crates.io-6f17d22bba15001f"), 350, 5_000, 400_000, "crate%03d.crate")
files(h(".cargo/registry/src/index.crates.io-6f17d22bba15001f"), 4000, 200, 40_000, "src%04d.rs", depth=2)
files(h(".cargo/git/db/tokio-377c595163f99a10"), 50, 1_000, 300_000)
files(h("go/pkg/mod/cache/download"), 600, 1_000, 500_000, "v%03d.zip", depth=2)
# Extracted modules: Go makes them read-only.
files(h("go/pkg/mod/github.com/gorilla/mux@v1.8.1"), 60, 500, 30_000, "f%02d.go")
for folder, _, names in os.walk(h("go/pkg/mod/github.com")):
    for name in names:
        os.chmod(os.path.join(folder, name), 0o444)
for folder, _, _ in sorted(os.walk(h("go/pkg/mod/github.com")), reverse=True):
    os.chmod(folder, 0o555)
files(h(".config/Code/Cache/Cache_Data"), 500, 1_000, 100_000)
files(h(".config/Code/CachedData/863d2581ecda6849923a2118d93a088b0745d9d6"), 120, 5_000, 500_000)
files(h(".config/Code/User/globalStorage"), 20, 100, 5_000)

# Sandboxed apps.
files(h(".var/app/org.gimp.GIMP/cache/gegl-0.4"), 200, 10_000, 400_000)
files(h(".var/app/org.gimp.GIMP/config/GIMP/2.10"), 30, 100, 20_000)
desktop_entry(h(".local/share/flatpak/exports/share/applications/org.gimp.GIMP.desktop"),
              "GNU Image Manipulation Program",
              "Exec=/usr/bin/flatpak run --branch=stable --command=gimp-2.10 org.gimp.GIMP %U\nX-Flatpak=org.gimp.GIMP\n")
files(h("snap/firefox/common/.cache/mozilla/firefox/cache2/entries"), 1200, 1_000, 60_000)
files(h("snap/firefox/4173/.mozilla/firefox/profile"), 40, 1_000, 3_000_000)
desktop_entry(h(".local/share/applications/firefox_firefox.desktop"), "Firefox",
              "Exec=env BAMF_DESKTOP_FILE_HINT=/var/lib/snapd/desktop/applications/firefox_firefox.desktop "
              "/snap/bin/firefox %u\n")

# Logs.
files(h(".local/share/xorg"), 2, 30_000, 90_000, "Xorg.%d.log")
write(h(".local/share/xorg/Xorg.0.log.old"), 60_000)
write(h(".xsession-errors.old"), 400_000)

# Projects.
files(h("Code/rusty/src"), 80, 500, 30_000, "m%02d.rs")
files(h("Code/rusty/target/debug/deps"), 2500, 5_000, 300_000, depth=2)
files(h("Code/rusty/target/debug/incremental"), 1500, 1_000, 50_000, depth=2)
text(h("Code/rusty/target/CACHEDIR.TAG"), TAG)
files(h("Code/web/src"), 200, 500, 20_000, "c%03d.tsx")
files(h("Code/web/node_modules"), 8000, 200, 40_000, "m%04d.js", depth=3)
files(h("Code/web/.git/objects"), 1500, 200, 50_000, depth=2)
files(h("Code/service/build/classes"), 300, 1_000, 20_000)

# The user's own files.
files(h("Documents"), 3000, 5_000, 200_000, "doc%04d.odt", depth=2)
files(h("Pictures"), 2500, 50_000, 400_000, "IMG_%04d.jpg", depth=2)
for name, size in [("code_1.89.1_amd64.deb", 98_000_000), ("Krita-5.2.2-x86_64.AppImage", 250_000_000),
                   ("dataset.tar.zst", 40_000_000), ("movie.mkv.part", 30_000_000)]:
    write(h("Downloads", name), size)
for i in range(25):
    name = "old-%02d.txt" % i if i % 3 else "old folder %02d" % i
    path = h(".local/share/Trash/files", name)
    if i % 3:
        write(path, rng.randint(1_000, 3_000_000))
    else:
        files(path, 40, 1_000, 100_000)
    text(h(".local/share/Trash/info", name + ".trashinfo"),
         "[Trash Info]\nPath=/home/u/%s\nDeletionDate=2024-05-01T10:00:00\n" % name)

with open(stamp, "w") as f:
    f.write("1")
print("made a Linux home in %s" % home, file=sys.stderr)
