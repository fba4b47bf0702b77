#!/usr/bin/env bash
# The league's web server: Apache (Debian's apache2) in the foreground on
# 127.0.0.1:PORT, publishing ROOT/Kestrane2013/ and taking the volunteers'
# uploads of Resultats2013.ini (server/kestrane.conf holds the rules).
#
#   scripts/serve.sh [--tls CERT KEY] ROOT PORT
#   kestrane-serve [--tls CERT KEY] ROOT PORT     (the same, installed by kestrane-serveur)
#
# ROOT holds Kestrane2013/ and volunteers.htpasswd; historique/ (the versions
# uploads replaced, and journal.txt) is made when missing. Apache's own files
# (pid, logs, locks) go to a folder of their own, KESTRANE_RUN_DIR or a new
# one under $TMPDIR; the logs stay there after the stop. SIGTERM or Ctrl-C
# stops the server. Run by an ordinary user, everything runs as that user.
# Run by root, Apache answers as the owner of ROOT/Kestrane2013, or as
# www-data when root owns it, and that account is given what it needs (see
# below).
#
# Every upload is checked by the program before it is published: the
# checkout's build/bin/kestrane, else the installed one, or KESTRANE_PROGRAM
# (server/programme.sh finds it). The same program writes the season's
# website, ROOT/Kestrane2013/site/, after each accepted upload
# (server/site.sh), and here once at start when the site is missing or older
# than the store; the season file it needs, ROOT/Kestrane2013/2013.txt, is
# copied from beside the program when missing. KESTRANE_APACHE_CONF may name a file of
# more Apache directives, read after the league's rules (mod_deflate...).
set -euo pipefail

say() { printf 'serve.sh : %s\n' "$*" >&2; }
fail() { say "$*"; exit 1; }
usage() {
  printf 'Utilisation : %s [--tls CERT CLE] ROOT PORT\n' "$0" >&2
  exit 2
}

# Through the installed link (kestrane-serve) too: server/ lies beside the
# folder of the script itself.
conf_dir="$(cd "$(dirname "$(readlink -f "$0")")/../server" && pwd)"
# shellcheck source=../server/programme.sh
. "$conf_dir/programme.sh"
cert="" key=""
if [ "${1:-}" = "--tls" ]; then
  [ $# -ge 3 ] || usage
  cert="$2" key="$3"
  shift 3
fi
[ $# -eq 2 ] || usage
root="$1" port="$2"

[[ "$port" =~ ^[0-9]+$ ]] && [ "$port" -ge 1 ] && [ "$port" -le 65535 ] || fail "port invalide : $port"
[ -d "$root/Kestrane2013" ] || fail "$root/Kestrane2013 n'existe pas : c'est le dossier des fichiers publiés."
root="$(cd "$root" && pwd)"
program="$(kestrane_program "$conf_dir/..")" ||
  fail "le programme kestrane, qui vérifie chaque envoi, est introuvable : construisez-le (scripts/run.sh), installez-le, ou donnez son chemin dans KESTRANE_PROGRAM."
program="$(cd "$(dirname "$program")" && pwd)/$(basename "$program")"
extra="${KESTRANE_APACHE_CONF:-}"
if [ -n "$extra" ]; then
  [ -r "$extra" ] || fail "KESTRANE_APACHE_CONF illisible : $extra"
  extra="$(cd "$(dirname "$extra")" && pwd)/$(basename "$extra")"
fi
mkdir -p "$root/historique"
# Paths end up quoted in Apache's configuration.
for path in "$root" "$cert" "$key" "$program" "$extra"; do
  case "$path" in *'"'* | *'\'* | *'$'*) fail "chemin refusé (guillemet, \\ ou \$) : $path" ;; esac
done
[ -f "$root/volunteers.htpasswd" ] ||
  say "attention : $root/volunteers.htpasswd manque, personne ne peut publier (htpasswd -c -B ... pour le créer)."
if [ -n "$cert" ]; then
  [ -r "$cert" ] || fail "certificat illisible : $cert"
  [ -r "$key" ] || fail "clé illisible : $key"
  cert="$(cd "$(dirname "$cert")" && pwd)/$(basename "$cert")"
  key="$(cd "$(dirname "$key")" && pwd)/$(basename "$key")"
fi

apache="${KESTRANE_APACHE:-$(command -v apache2 || true)}"
[ -n "$apache" ] || apache=/usr/sbin/apache2
[ -x "$apache" ] ||
  fail "apache2 est introuvable : installez les paquets apache2 et apache2-utils (scripts/setup.sh le fait)."
modules="${KESTRANE_APACHE_MODULES:-/usr/lib/apache2/modules}"
[ -f "$modules/mod_cgid.so" ] || fail "modules d'Apache introuvables dans $modules (KESTRANE_APACHE_MODULES)."

run="${KESTRANE_RUN_DIR:-}"
if [ -z "$run" ]; then
  run="$(mktemp -d "${TMPDIR:-/tmp}/kestrane-serve.XXXXXX")"
fi
mkdir -p "$run/scripts" "$run/vide"
run="$(cd "$run" && pwd)"
case "$run/" in "$root/"*) fail "le dossier de marche $run ne doit pas être dans ROOT." ;; esac
rm -f "$run/apache2.pid" "$run/cgid.sock"*
chmod 755 "$run" "$run/scripts"
# The upload script runs as the account that answers: a copy of its own in
# the run folder is within its reach wherever the repository lies.
install -m 755 "$conf_dir/envoi.sh" "$run/scripts/envoi.sh"
install -m 755 "$conf_dir/site.sh" "$run/scripts/site.sh"
install -m 644 "$conf_dir/publier.sh" "$conf_dir/programme.sh" "$run/scripts/"

# The season beside the store: the site is generated from it, and followers
# may fetch it.
if [ ! -e "$root/Kestrane2013/2013.txt" ]; then
  for season in "$(dirname "$program")/2013.txt" "$(dirname "$program")/../share/kestrane/2013.txt"; do
    if [ -f "$season" ]; then
      install -m 644 "$season" "$root/Kestrane2013/2013.txt"
      say "saison copiée dans $root/Kestrane2013/2013.txt (depuis $season)."
      break
    fi
  done
fi

defines=(-C "Define KESTRANE_ROOT \"$root\"" -C "Define KESTRANE_PORT $port"
         -C "Define KESTRANE_RUN \"$run\"" -C "Define KESTRANE_MODULES \"$modules\""
         -C "Define KESTRANE_CONF \"$conf_dir\"" -C "Define KESTRANE_SCRIPTS \"$run/scripts\""
         -C "Define KESTRANE_PROGRAM \"$program\"")
# Checks under the sanitizers keep their settings in the upload script.
for variable in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
  [ -n "${!variable:-}" ] && defines+=(-C "PassEnv $variable")
done
after=()
[ -n "$extra" ] && after=(-c "Include \"$extra\"")
if [ -n "$cert" ]; then
  defines+=(-C "Define KESTRANE_TLS" -C "Define KESTRANE_CERT \"$cert\"" -C "Define KESTRANE_KEY \"$key\"")
fi

if [ "$(id -u)" -eq 0 ]; then
  # Apache refuses to answer as root. The owner of the published folder is
  # the natural account; when that is root, www-data (or nobody) answers and
  # gets, through its group, the right to pass through ROOT, to read the
  # volunteers' list and to write into Kestrane2013/ (an upload writes a
  # hidden copy there, then renames it over Resultats2013.ini).
  owner="$(stat -c %U "$root/Kestrane2013")"
  if [ "$owner" != root ] && [ "$owner" != UNKNOWN ]; then
    user="$owner"
  elif id -u www-data >/dev/null 2>&1; then
    user=www-data
  else
    user=nobody
  fi
  group="$(id -gn "$user")"
  if [ "$owner" = root ] || [ "$owner" = UNKNOWN ]; then
    chgrp "$group" "$root" "$root/Kestrane2013" "$root/historique"
    chmod g+x "$root"
    chmod g+rwx "$root/Kestrane2013"
    # New versions and the journal keep the group, whoever writes them
    # (retablir.sh run by root too).
    chmod g+rwxs "$root/historique"
    find "$root/Kestrane2013" -maxdepth 1 -type f -exec chgrp "$group" {} + -exec chmod g+r {} +
    find "$root/historique" -maxdepth 1 -type f -exec chgrp "$group" {} + -exec chmod g+rw {} +
    if [ -f "$root/volunteers.htpasswd" ]; then
      chgrp "$group" "$root/volunteers.htpasswd"
      chmod g+r "$root/volunteers.htpasswd"
    fi
    say "Apache répond sous le compte $user : le groupe $group peut lire ROOT et écrire dans Kestrane2013/ et historique/."
  fi
  if ! setpriv --reuid="$user" --regid="$group" --init-groups \
      test -w "$root/Kestrane2013" -a -x "$root/Kestrane2013" -a -x "$run/scripts/envoi.sh" \
      -a -w "$root/historique" -a -x "$root/historique"; then
    fail "le compte $user ne peut pas écrire dans $root/Kestrane2013 ou $root/historique (un dossier parent lui est-il fermé ?)."
  fi
  if ! setpriv --reuid="$user" --regid="$group" --init-groups test -x "$program"; then
    fail "le compte $user ne peut pas lancer $program (un dossier parent lui est-il fermé ?)."
  fi
  if [ -f "$root/volunteers.htpasswd" ] &&
      ! setpriv --reuid="$user" --regid="$group" --init-groups test -r "$root/volunteers.htpasswd"; then
    fail "le compte $user ne peut pas lire $root/volunteers.htpasswd."
  fi
  defines+=(-C "Define KESTRANE_SERVE_USER $user" -C "Define KESTRANE_SERVE_GROUP $group")
fi

# The site, once, when it is missing or older than the store; as the
# account that answers, which regenerates it after each upload.
as_server=()
[ "$(id -u)" -eq 0 ] && as_server=(setpriv --reuid="$user" --regid="$group" --init-groups)
store="$root/Kestrane2013/Resultats2013.ini"
if [ -f "$store" ] && { [ ! -f "$root/Kestrane2013/site/index.html" ] || [ "$store" -nt "$root/Kestrane2013/site/index.html" ]; }; then
  if why="$("${as_server[@]}" env KESTRANE_PROGRAM="$program" "$run/scripts/site.sh" "$root/Kestrane2013" 2>&1)"; then
    say "site de la saison écrit dans $root/Kestrane2013/site/."
  else
    say "attention : site de la saison non écrit : $why"
  fi
fi

scheme=http
[ -n "$cert" ] && scheme=https
"$apache" "${defines[@]}" -f "$conf_dir/serve.conf" "${after[@]}" -DFOREGROUND &
pid=$!

stop() {
  trap - TERM INT HUP
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -f "$run/apache2.pid" "$run/cgid.sock"* "$run/ssl_cache"*
  say "arrêté ; journaux dans $run"
  exit 0
}
trap stop TERM INT HUP

say "$scheme://127.0.0.1:$port/Kestrane2013/ publie $root/Kestrane2013 (le site : $scheme://127.0.0.1:$port/Kestrane2013/site/) ; journaux dans $run ; Ctrl-C pour arrêter."
status=0
wait "$pid" || status=$?
# Apache stopped by itself: it could not start (port taken, bad certificate...).
[ -s "$run/error.log" ] && tail -n 5 "$run/error.log" >&2
fail "Apache s'est arrêté (code $status)."
