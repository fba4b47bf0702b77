#!/bin/sh
# Kestrane 1 : régénère le site web de la saison, DOSSIER/site/, depuis le
# fichier publié (DOSSIER/Resultats2013.ini) et la saison (DOSSIER/2013.txt),
# avec le programme lui-même (kestrane --export-site).
#
#     server/site.sh DOSSIER        (DOSSIER : ROOT/Kestrane2013)
#
# envoi.sh et retablir.sh le lancent après chaque publication, et attendent
# la fin : quand Porvex dit « Résultats publiés. », le site montre déjà le
# résultat. serve.sh le lance au démarrage quand le site manque ou est plus
# ancien que le fichier publié. L'administrateur peut aussi le lancer, sous
# le compte d'Apache (sudo -u www-data ...), à qui le site doit appartenir.
#
# Le programme écrit le site à côté puis le met en place d'un coup : un
# lecteur voit l'ancien site ou le nouveau, jamais un mélange ; un échec
# laisse l'ancien site tel qu'il était. Une génération à la fois (verrou
# DOSSIER/.site.lock), et chacune lit le fichier publié quand vient son
# tour : la dernière montre toujours la dernière publication ; un site déjà
# écrit du même fichier publié, de la même saison et du même programme
# (DOSSIER/.site.version) n'est pas réécrit.
#
# Sorties : 0 site écrit ; 1 échec, la raison (en français, une ligne) sur
# la sortie d'erreur ; 2 ligne de commande invalide.
set -u
PATH=/usr/local/bin:/usr/bin:/bin
umask 022
here=$(cd "$(dirname "$0")" && pwd)
. "$here/programme.sh"

fail() { printf '%s\n' "$1" >&2; exit 1; }
[ $# -eq 1 ] || { printf 'Utilisation : %s DOSSIER\n' "$0" >&2; exit 2; }
folder=$1
[ -f "$folder/Resultats2013.ini" ] || fail "Pas de fichier publié dans $folder : pas de site."
[ -f "$folder/2013.txt" ] ||
    fail "La saison $folder/2013.txt manque : copiez-la dans le dossier publié (scripts/serve.sh le fait au démarrage)."
program=$(kestrane_program "$here/..") ||
    fail "Le programme kestrane est introuvable sur le serveur (KESTRANE_PROGRAM)."

exec 8>>"$folder/.site.lock" || fail "Impossible d'écrire dans $folder."
# A generation takes about a second; a minute means one that hangs.
flock -w 60 8 || fail "Une autre génération du site dure depuis plus d'une minute."
# What the site is made of: the store, the season and the program. Sends
# that come together each wait here; the first to get its turn writes the
# site of the latest store, and the others find it written already.
made_of=$( { cat "$folder/Resultats2013.ini" "$folder/2013.txt"; stat -L -c '%s %Y' "$program"; } | sha1sum)
if [ -f "$folder/site/index.html" ] && [ "$(cat "$folder/.site.version" 2>/dev/null)" = "$made_of" ]; then
    exit 0
fi
status=0
why=$("$program" --data-dir "$folder" --export-site "$folder/site" 2>&1 >/dev/null) || status=$?
if [ "$status" = 0 ]; then
    # Read before the program read the store: at worst an older version,
    # and the next generation writes the site again.
    printf '%s\n' "$made_of" >"$folder/.site.version" 2>/dev/null || rm -f "$folder/.site.version"
    exit 0
fi
# Its first line of French says why; the code when it said nothing.
why=$(printf '%s\n' "$why" | sed -n '/./{p;q;}')
fail "kestrane --export-site a échoué (code $status)${why:+ : $why}"
