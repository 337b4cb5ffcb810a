#!/usr/bin/env bash
# Builds the Debian package with debhelper and dpkg-buildpackage, then checks
# it (scripts/verifier-paquet.sh):
#   scripts/paquet-debian.sh [DEB_DIR] [JOBS]
# The sources are copied into DEB_DIR/wavix-<version>/ (build-deb/ by
# default), where debian/changelog is written from the version of
# CMakeLists.txt; dpkg-buildpackage leaves wavix_<version>_<arch>.deb, its
# .buildinfo and .changes and the native source beside that copy. The source
# folder itself is left as it was.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
deb_dir=${1:-build-deb}
jobs=${2:-$(nproc)}
mkdir -p -- "$deb_dir"
deb_dir=$(cd "$deb_dir" && pwd)

case "$deb_dir/" in
    "$source_dir/"*)
        # Inside the sources, the folder must be one that git ignores, or
        # the package's products would show in `git status`.
        if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1 &&
            ! git -C "$source_dir" check-ignore -q -- "$deb_dir/"; then
            echo "paquet-debian : « $deb_dir » n'est pas ignoré par git ; choisissez DEB_DIR=build-deb ou un dossier hors des sources." >&2
            exit 1
        fi ;;
esac

# The one version number is the project's.
version=$(sed -n -E 's/^[[:space:]]*project[[:space:]]*\([[:space:]]*Wavix[[:space:]]+VERSION[[:space:]]+([0-9]+(\.[0-9]+){0,3})([[:space:]].*)?\)[[:space:]]*$/\1/p' \
    "$source_dir/CMakeLists.txt")
if [ -z "$version" ]; then
    echo "paquet-debian : aucune version « project(Wavix VERSION ...) » dans CMakeLists.txt." >&2
    exit 1
fi
arch=$(dpkg --print-architecture)

# A fresh copy of the sources: the files git knows (committed or not, less
# those it ignores), or the whole folder less its build folders.
copie="$deb_dir/wavix-$version"
rm -rf -- "$copie"
mkdir -p -- "$copie"
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$source_dir" &&
        git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' f; do
            # A file deleted but not yet committed is not copied.
            if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
        done | tar --null --no-recursion -T - -cf -) | tar -xf - -C "$copie"
    date_source=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || date +%s)
else
    (cd "$source_dir" && tar --exclude=./.git --exclude=./build --exclude='./build-*' \
        --exclude='./obj-*' --exclude="./${deb_dir#"$source_dir"/}" -cf - .) | tar -xf - -C "$copie"
    date_source=$(date +%s)
fi

# The changelog names this version, dated by the last commit, so that two
# builds of one commit give the same package.
mainteneur=$(sed -n 's/^Maintainer:[[:space:]]*//p' "$copie/debian/control")
{
    echo "wavix ($version) unstable; urgency=medium"
    echo
    echo "  * Wavix $version."
    echo
    echo " -- $mainteneur  $(LC_ALL=C date -u -R -d "@$date_source")"
} > "$copie/debian/changelog"

# Built from the copy, the products land in DEB_DIR.
rm -f -- "$deb_dir"/wavix_"$version"* "$deb_dir"/wavix-dbgsym_"$version"_*
(cd "$copie" && dpkg-buildpackage --build=full -us -uc -j"$jobs")

bash "$source_dir/scripts/verifier-paquet.sh" "$deb_dir" "$version" "$arch" "$copie"
