#!/usr/bin/env bash
# Checks the Debian package that scripts/paquet-debian.sh built:
#   scripts/verifier-paquet.sh DEB_DIR VERSION ARCH SOURCE_COPY
# - lintian on the .changes (the source, the package and its debug symbols):
#   no error and no warning that debian/wavix.lintian-overrides does not explain;
# - the control fields, and no maintainer script;
# - the files: those the installation rules put under /usr (what `make install`
#   puts with that prefix), plus the package's copyright, changelog and lintian
#   overrides, with the owners and modes a package gives;
# - installed into a throwaway root with dpkg, then purged: the files land
#   where the package says and nothing of them is left.
set -euo pipefail

deb_dir=$1
version=$2
arch=$3
copie=$4
paquet="$deb_dir/wavix_${version}_${arch}.deb"
changes="$deb_dir/wavix_${version}_${arch}.changes"
export PATH="$PATH:/usr/sbin:/sbin"

echec() {
    echo "verifier-paquet : $*" >&2
    exit 1
}
etape() {
    echo "== $*"
}

[ -f "$paquet" ] || echec "$paquet n'a pas été construit."
[ -f "$changes" ] || echec "$changes n'a pas été construit."

travail=$(mktemp -d)
trap 'rm -rf -- "$travail"' EXIT

etape "lintian $(basename "$changes")"
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$changes" ||
    echec "lintian signale une erreur ou un avertissement sans explication dans debian/wavix.lintian-overrides."

etape "champs de contrôle"
champ() {
    dpkg-deb --field "$paquet" "$1"
}
[ "$(champ Package)" = wavix ] || echec "Package : $(champ Package)"
[ "$(champ Version)" = "$version" ] || echec "Version : $(champ Version), $version attendue"
[ "$(champ Architecture)" = "$arch" ] || echec "Architecture : $(champ Architecture), $arch attendue"
[ "$(champ Maintainer)" = "Équipe Wavix <equipe@wavix.brelmar.fr>" ] || echec "Maintainer : $(champ Maintainer)"
[ "$(champ Homepage)" = "https://wavix.brelmar.fr" ] || echec "Homepage : $(champ Homepage)"
depends=$(champ Depends)
# What the program loads at run time by hand, and the libraries it links
# (found by dpkg-shlibdeps).
for attendu in qt6-translations-l10n libqt6widgets6 libqt6multimedia6 libqt6svg6 libc6; do
    case ", $depends," in
        *", $attendu "* | *", $attendu,"*) ;;
        *) echec "Depends ne nomme pas $attendu : $depends" ;;
    esac
done
[ -z "$(champ Pre-Depends)" ] || echec "Pre-Depends inattendu : $(champ Pre-Depends)"
controle=$(dpkg-deb --ctrl-tarfile "$paquet" | tar -t | sed 's|^\./||' | grep -v '^$' | sort | tr '\n' ' ')
[ "$controle" = "control md5sums " ] ||
    echec "le paquet a des scripts ou fichiers de contrôle en trop : $controle"
champ Depends | sed 's/^/   Depends: /'

etape "fichiers du paquet"
dpkg-deb --fsys-tarfile "$paquet" | tar -t | sed -e 's|^\./||' -e '/\/$/d' -e '/^$/d' | sort > "$travail/paquet"

# What `make install` puts with the prefix /usr, from the package's own build.
obj="$copie/obj-$(dpkg-architecture -qDEB_HOST_GNU_TYPE)"
[ -d "$obj" ] || echec "le dossier de construction $obj est introuvable."
DESTDIR="$travail/installation" cmake --install "$obj" >/dev/null
{
    (cd "$travail/installation" && find . ! -type d | sed 's|^\./||') |
        # dh_installman compresses the manual pages.
        sed -E 's|^(usr/share/man/.*\.[0-9])$|\1.gz|'
    echo usr/share/doc/wavix/copyright
    echo usr/share/doc/wavix/changelog.gz
    [ ! -f "$copie/debian/wavix.lintian-overrides" ] || echo usr/share/lintian/overrides/wavix
} | sort > "$travail/attendu"
diff -u "$travail/attendu" "$travail/paquet" ||
    echec "les fichiers du paquet diffèrent de ceux de l'installation (- installation, + paquet)."

# The layout itself: the program and its sounds in /usr/lib/wavix, not in
# the multiarch folder.
for f in usr/lib/wavix/wavix "usr/lib/wavix/Button Click.wav" usr/lib/wavix/Bip.wav \
    usr/bin/wavix usr/bin/wavix-preparer-salle usr/share/applications/wavix.desktop \
    usr/share/icons/hicolor/scalable/apps/wavix.svg usr/share/mime/packages/wavix-file.xml \
    usr/share/metainfo/fr.brelmar.Wavix.metainfo.xml \
    usr/share/man/man1/wavix.1.gz usr/share/man/man1/wavix-preparer-salle.1.gz; do
    grep -qxF -- "$f" "$travail/paquet" || echec "le paquet n'a pas $f"
done

# Owners and modes: root's; the two commands executable, nothing writable
# by others, nothing set-user-id.
dpkg-deb --contents "$paquet" | while read -r droits proprietaire _taille _jour _heure chemin; do
    [ "$proprietaire" = root/root ] || echec "$chemin appartient à $proprietaire"
    case "$droits" in
        d*) [ "$droits" = drwxr-xr-x ] || echec "$chemin : $droits" ;;
        l*) ;;
        *)
            case "$chemin" in
                ./usr/lib/wavix/wavix | ./usr/bin/wavix-preparer-salle) [ "$droits" = -rwxr-xr-x ] ;;
                *) [ "$droits" = -rw-r--r-- ] ;;
            esac || echec "$chemin : $droits" ;;
    esac
done
[ "$(dpkg-deb --fsys-tarfile "$paquet" | tar -xOf - ./usr/share/applications/wavix.desktop | grep '^Exec=')" = \
    "Exec=/usr/bin/wavix" ] || echec "l'entrée du menu ne lance pas /usr/bin/wavix"
sed 's/^/   /' "$travail/paquet"

etape "installation dans une racine jetable, puis purge"
racine="$travail/racine"
mkdir -p "$racine/var/lib/dpkg/info" "$racine/var/lib/dpkg/updates" "$racine/var/lib/dpkg/triggers"
touch "$racine/var/lib/dpkg/status" "$racine/var/lib/dpkg/available"
# Its dependencies are not in that root (dpkg's complaints about them are
# kept aside): only its own files are looked at.
dpkg_racine() {
    fakeroot dpkg --root="$racine" --log=/dev/null --force-not-root --force-depends "$@" \
        >"$travail/dpkg.log" 2>&1 || { cat "$travail/dpkg.log" >&2; echec "dpkg --root $*"; }
}
dpkg_racine --install "$paquet"
(cd "$racine" && find . ! -type d ! -path './var/lib/dpkg/*' | sed 's|^\./||' | sort) > "$travail/installes"
diff -u "$travail/paquet" "$travail/installes" ||
    echec "l'installation dans $racine n'a pas mis les fichiers du paquet (- paquet, + installés)."
[ "$(readlink "$racine/usr/bin/wavix")" = ../lib/wavix/wavix ] || echec "usr/bin/wavix ne mène pas à ../lib/wavix/wavix"
# Removed, then purged: with no configuration file of its own, the removal
# already takes everything away, and the purge finds nothing more to do.
for action in --remove --purge; do
    dpkg_racine "$action" wavix
    restes=$(cd "$racine" && find . -mindepth 1 ! -path ./var ! -path ./var/lib ! -path ./var/lib/dpkg \
        ! -path './var/lib/dpkg/*' | sed 's|^\./||')
    [ -z "$restes" ] || echec "dpkg $action a laissé : $restes"
    restes=$(find "$racine/var/lib/dpkg/info" -name 'wavix*')
    [ -z "$restes" ] || echec "dpkg $action a laissé dans la base de dpkg : $restes"
    ! grep -q '^Package: wavix$' "$racine/var/lib/dpkg/status" || echec "wavix reste dans l'état de dpkg après $action"
done

echo "Paquet vérifié : $paquet"
