#!/usr/bin/env bash
# The layers of src/ stand on each other: a file includes headers of its own
# layer or of a lower one, never of a higher one, and the scope and the bench
# meet only through the services.
#   1 platform   2 services   3 scope, bench, evaluation, help   4 app
# Prints every include that breaks this and exits 1 when there is one.
set -u
cd "$(dirname "$0")/../src" || exit 2
couche() {
  case "$1" in
    platform) echo 1 ;;
    services) echo 2 ;;
    scope | bench | evaluation | help) echo 3 ;;
    app) echo 4 ;;
    *) echo 0 ;;
  esac
}
fautes=0
while IFS=: read -r fichier ligne texte; do
  de=${fichier%%/*}
  vers=$(sed -E 's#.*"([a-z]+)/.*#\1#' <<<"$texte")
  [ "$de" = "$vers" ] && continue
  cd_=$(couche "$de"); cv=$(couche "$vers")
  if [ "$cv" -gt "$cd_" ] || { [ "$de" = scope ] && [ "$vers" = bench ]; } || { [ "$de" = bench ] && [ "$vers" = scope ]; }; then
    echo "src/$fichier:$ligne: $de includes $vers: $texte"
    fautes=$((fautes + 1))
  fi
done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include "[a-z]+/' .| sed 's#^\./##')
[ "$fautes" -eq 0 ]
