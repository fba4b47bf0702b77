#!/bin/sh
# Kestrane 1 : reçoit l'envoi de Resultats2013.ini par un bénévole (PUT).
#
# Apache a déjà vérifié le nom et le mot de passe du bénévole et la taille de
# l'envoi (kestrane.conf) ; ce script fait le reste, pour qu'un envoi ne
# perde jamais rien :
# - l'envoi est d'abord écrit entier dans une copie cachée ; un envoi coupé
#   (connexion perdue) n'y laisse qu'une copie incomplète, effacée ;
# - puis, un envoi à la fois (verrou flock), la version de la copie de
#   l'expéditeur (If-Match) est comparée à celle du fichier publié : s'il a
#   changé depuis, l'envoi est refusé (412) et l'expéditeur fusionne à
#   nouveau ; sinon la copie remplace le fichier d'un coup (mv), et les
#   suiveurs voient l'ancien fichier ou le nouveau, jamais un mélange.
# La version est l'ETag qu'Apache donne au fichier (FileETag Digest) : le
# SHA-1 du contenu, en base 64, entre guillemets.
#
# KESTRANE_STORE (SetEnv dans kestrane.conf) est le fichier publié.
set -u
PATH=/usr/bin:/bin
umask 022

answer() {
    printf 'Status: %s\r\nContent-Type: text/plain; charset=utf-8\r\n' "$1"
    [ -n "${3:-}" ] && printf '%s\r\n' "$3"
    printf '\r\n%s\n' "$2"
    exit 0
}

version() {
    [ -f "$1" ] && printf '"%s"' "$(openssl dgst -sha1 -binary "$1" | base64)"
}

[ "${REQUEST_METHOD:-}" = PUT ] || answer "405 Method Not Allowed" "Seul PUT est accepté." "Allow: PUT"
[ "${PATH_INFO:-}" = /Kestrane2013/Resultats2013.ini ] ||
    answer "403 Forbidden" "Seul Resultats2013.ini peut être envoyé."
[ -n "${REDIRECT_REMOTE_USER:-${REMOTE_USER:-}}" ] || answer "403 Forbidden" "Envoi réservé aux bénévoles."
store=${KESTRANE_STORE:-}
folder=${store%/*}
[ -n "$store" ] && [ -d "$folder" ] || answer "500 Internal Server Error" "KESTRANE_STORE n'est pas réglé."
case ${CONTENT_LENGTH:-} in
    '' | *[!0-9]*) answer "411 Length Required" "Taille de l'envoi manquante." ;;
esac

# Copies left by envois whose process was killed, an hour ago or more.
set -- "$folder"/.envoi.[0-9]*
[ -e "$1" ] && find "$folder" -maxdepth 1 -name '.envoi.[0-9]*' -mmin +60 -delete 2>/dev/null

# The copy is named after this process, which no other running one shares.
copy="$folder/.envoi.$$"
trap 'rm -f "$copy"' EXIT
trap 'exit 1' HUP INT TERM PIPE
head -c "$CONTENT_LENGTH" > "$copy" || answer "500 Internal Server Error" "Impossible d'écrire dans $folder."
[ "$(stat -c %s "$copy")" = "$CONTENT_LENGTH" ] || answer "400 Bad Request" "Envoi incomplet : rien n'est publié."

exec 9>>"$folder/.envoi.lock"
flock -w 30 9 || answer "503 Service Unavailable" "Un autre envoi est en cours : réessayez." "Retry-After: 2"
current=$(version "$store")
if [ -n "${HTTP_IF_MATCH:-}" ] && [ "$HTTP_IF_MATCH" != "$current" ] \
    && ! { [ "$HTTP_IF_MATCH" = "*" ] && [ -n "$current" ]; }; then
    answer "412 Precondition Failed" "Le fichier publié a changé depuis votre copie : fusionnez à nouveau."
fi
if [ "${HTTP_IF_NONE_MATCH:-}" = "*" ] && [ -n "$current" ]; then
    answer "412 Precondition Failed" "Un fichier est déjà publié : fusionnez avec lui."
fi
mv -f "$copy" "$store" || answer "500 Internal Server Error" "Impossible de remplacer $store."
answer "200 OK" "Publié."
