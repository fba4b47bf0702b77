#!/bin/sh
# Kestrane 1 : reçoit l'envoi de Resultats2013.ini par un bénévole (PUT).
#
# Apache a déjà vérifié le nom et le mot de passe du bénévole et la taille de
# l'envoi (kestrane.conf) ; ce script fait le reste, pour qu'un envoi ne
# perde jamais rien :
# - un envoi doit dire sur quelle version il a été fait (If-Match), ou qu'il
#   crée le fichier (If-None-Match: *) ; sinon il est refusé (428) : un
#   script ou un vieil outil n'écrase pas ce que d'autres ont publié ;
# - l'envoi est d'abord écrit entier dans une copie cachée ; un envoi coupé
#   (connexion perdue, moins d'octets qu'annoncé) n'y laisse qu'une copie
#   incomplète, effacée ;
# - puis, un envoi à la fois (verrou flock), la version de la copie de
#   l'expéditeur est comparée à celle du fichier publié : s'il a changé
#   depuis, l'envoi est refusé (412) et l'expéditeur fusionne à nouveau ;
# - la copie doit être un fichier de résultats que la mise à jour des
#   suiveurs accepterait (kestrane --check-store), sinon 422 avec la raison ;
# - la version remplacée est gardée dans ROOT/historique, puis la copie
#   remplace le fichier d'un coup (mv) : les suiveurs voient l'ancien fichier
#   ou le nouveau, jamais un mélange ;
# - chaque envoi, accepté ou refusé, est noté dans ROOT/historique/journal.txt ;
# - puis le site de la saison (ROOT/Kestrane2013/site/) est régénéré
#   (site.sh), et la réponse l'attend : quand Porvex dit « Résultats
#   publiés. », le site montre déjà le résultat. Un échec du site ne fait
#   jamais échouer l'envoi : le fichier est publié, l'ancien site reste, et
#   la réponse comme le journal d'erreurs d'Apache disent pourquoi.
# La version est l'ETag qu'Apache donne au fichier (FileETag Digest) : le
# SHA-1 du contenu, en base 64, entre guillemets.
#
# kestrane.conf règle (SetEnv) : KESTRANE_STORE, le fichier publié ;
# KESTRANE_HISTORY, le dossier des versions ; KESTRANE_PROGRAM, le
# programme (sinon programme.sh le cherche).
set -u
PATH=/usr/local/bin:/usr/bin:/bin
umask 022
here=$(dirname "$0")
. "$here/programme.sh"
. "$here/publier.sh"

body_read=0
user=$(journal_name "${REDIRECT_REMOTE_USER:-${REMOTE_USER:-}}")
store=${KESTRANE_STORE:-}
history=${KESTRANE_HISTORY:-}

# The answer, after the body: a client still sending when the answer comes
# would see its connection reset instead of the status.
answer() {
    [ "$body_read" = 1 ] || cat >/dev/null 2>&1
    printf 'Status: %s\r\nContent-Type: text/plain; charset=utf-8\r\n' "$1"
    [ -n "${3:-}" ] && printf '%s\r\n' "$3"
    printf '\r\n%s\n' "$2"
    exit 0
}

# A refusal, noted in the journal when there is one.
refuse() {
    [ -n "$history" ] && [ -d "$history" ] &&
        journal_line "refusé $user ${1%% *} octets=${CONTENT_LENGTH:-?} raison=$2" 2>/dev/null
    answer "$@"
}

[ "${REQUEST_METHOD:-}" = PUT ] || answer "405 Method Not Allowed" "Seul PUT est accepté." "Allow: PUT"
[ "${PATH_INFO:-}" = /Kestrane2013/Resultats2013.ini ] ||
    answer "403 Forbidden" "Seul Resultats2013.ini peut être envoyé."
[ -n "$user" ] || answer "403 Forbidden" "Envoi réservé aux bénévoles."
folder=${store%/*}
[ -n "$store" ] && [ -d "$folder" ] || answer "500 Internal Server Error" "KESTRANE_STORE n'est pas réglé."
[ -n "$history" ] && { [ -d "$history" ] || mkdir -p "$history" 2>/dev/null; } && [ -w "$history" ] ||
    answer "500 Internal Server Error" "Le dossier des versions (KESTRANE_HISTORY) manque ou est protégé : rien n'est publié."
program=$(kestrane_program "$here/..") || program=''
case ${CONTENT_LENGTH:-} in
    '' | *[!0-9]*) refuse "411 Length Required" "Taille de l'envoi manquante." ;;
esac
if [ -z "${HTTP_IF_MATCH:-}" ] && [ "${HTTP_IF_NONE_MATCH:-}" != "*" ]; then
    refuse "428 Precondition Required" "Envoi sans condition refusé : indiquez la version du fichier publié sur laquelle il a été fait (If-Match), ou If-None-Match: * pour créer le fichier. Porvex le fait ; rien n'est publié."
fi

# Copies left by envois whose process was killed, an hour ago or more.
set -- "$folder"/.envoi.[0-9]*
[ -e "$1" ] && find "$folder" -maxdepth 1 -name '.envoi.[0-9]*' -mmin +60 -delete 2>/dev/null

# The copy is named after this process, which no other running one shares.
copy="$folder/.envoi.$$"
trap 'rm -f "$copy"' EXIT
trap 'exit 1' HUP INT TERM PIPE
body_read=1
head -c "$CONTENT_LENGTH" > "$copy" || answer "500 Internal Server Error" "Impossible d'écrire dans $folder."
size=$(stat -c %s "$copy")
[ "$size" = "$CONTENT_LENGTH" ] ||
    refuse "400 Bad Request" "Envoi incomplet ($size octets reçus sur $CONTENT_LENGTH annoncés) : rien n'est publié."

lock_store || refuse "503 Service Unavailable" "Un autre envoi est en cours : réessayez." "Retry-After: 2"
current=$(store_version "$store")
if [ -n "${HTTP_IF_MATCH:-}" ] && [ "$HTTP_IF_MATCH" != "$current" ] \
    && ! { [ "$HTTP_IF_MATCH" = "*" ] && [ -n "$current" ]; }; then
    refuse "412 Precondition Failed" "Le fichier publié a changé depuis votre copie : fusionnez à nouveau."
fi
if [ "${HTTP_IF_NONE_MATCH:-}" = "*" ] && [ -n "$current" ]; then
    refuse "412 Precondition Failed" "Un fichier est déjà publié : fusionnez avec lui."
fi
check_status=0
check_copy "$copy" || check_status=$?
case $check_status in
    0) ;;
    1) refuse "422 Unprocessable Entity" "$reason" ;;
    *) refuse "500 Internal Server Error" "$reason" ;;
esac
new=$(store_version "$copy")
replace_store "$copy" "$user" || refuse "500 Internal Server Error" "$reason"
journal_line "accepté $user avant=${current:-aucun} après=$new octets=$size $counts gardé=${kept:-aucun}"
# The next send need not wait for the site: the site has a lock of its own.
exec 9>&-
publish_site "$user"
answer "200 OK" "Publié.$site_note"
