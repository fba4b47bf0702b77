#!/bin/sh
# Kestrane 1 : remet en ligne une version gardée de Resultats2013.ini.
#
#     server/retablir.sh ROOT VERSION
#
# VERSION est le nom d'un fichier de ROOT/historique (journal.txt dit quel
# envoi l'a remplacé : « gardé=... »), ou le chemin d'un autre fichier.
# Comme un envoi : sous le verrou des envois, vérifié par le programme
# (kestrane --check-store), la version remplacée gardée dans ROOT/historique,
# et noté dans le journal (« rétabli ») ; puis le site de la saison est
# régénéré (site.sh), sans que son échec défasse rien. À lancer sous le compte d'Apache
# (sudo -u www-data ...), pour que le fichier et le journal lui restent
# modifiables. Sorties : 0 rétabli, 1 échec, 2 ligne de commande invalide.
set -u
PATH=/usr/local/bin:/usr/bin:/bin
umask 022
here=$(cd "$(dirname "$0")" && pwd)
. "$here/programme.sh"
. "$here/publier.sh"

say() { printf 'retablir.sh : %s\n' "$*" >&2; }
[ $# -eq 2 ] || { printf 'Utilisation : %s ROOT VERSION\n' "$0" >&2; exit 2; }
root=$1
store="$root/Kestrane2013/Resultats2013.ini"
history="$root/historique"
case $2 in
    */*) version=$2 ;;
    *) version="$history/$2" ;;
esac
[ -d "$root/Kestrane2013" ] || { say "$root/Kestrane2013 n'existe pas."; exit 1; }
[ -f "$version" ] || { say "version introuvable : $version (voir ls $history)."; exit 1; }
mkdir -p "$history" 2>/dev/null
[ -d "$history" ] && [ -w "$history" ] || { say "le dossier $history manque ou est protégé."; exit 1; }
program=$(kestrane_program "$here/..") || program=''
who=$(journal_name "retablir:$(id -un)")
from=$(journal_name "${version##*/}")

refuse() {
    journal_line "refusé $who depuis=$from raison=$1" 2>/dev/null
    say "$1"
    exit 1
}

copy="$root/Kestrane2013/.envoi.$$"
trap 'rm -f "$copy"' EXIT
trap 'exit 1' HUP INT TERM PIPE
cp "$version" "$copy" || refuse "Impossible d'écrire dans $root/Kestrane2013 : rien n'est publié."
size=$(stat -c %s "$copy")
lock_store || refuse "Un envoi est en cours depuis plus de 30 s : réessayez."
current=$(store_version "$store")
check_copy "$copy" || refuse "$reason"
new=$(store_version "$copy")
replace_store "$copy" "$who" || refuse "$reason"
journal_line "rétabli $who avant=${current:-aucun} après=$new octets=$size $counts gardé=${kept:-aucun} depuis=$from"
printf 'Version %s rétablie (%s) ; la version remplacée est gardée : %s.\n' "$from" "$counts" "${kept:-aucune}"
exec 9>&-
# The site follows the store put back; a failure there undoes nothing.
publish_site "$who" 2>/dev/null || say "${site_note#"$pub_newline"}"
