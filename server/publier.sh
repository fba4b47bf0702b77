# Kestrane 1 : la publication d'un fichier de résultats sur le serveur de la
# ligue, commune à envoi.sh (l'envoi d'un bénévole) et à retablir.sh (le
# retour à une version gardée), pour qu'une seule règle décide de ce qui est
# publié. À inclure (.) depuis un script sh, après avoir défini :
#   store     le fichier publié (ROOT/Kestrane2013/Resultats2013.ini)
#   history   le dossier des versions gardées (ROOT/historique), hors de ce
#             qui est servi
#   program   le programme kestrane (voir programme.sh)
#
# Un fichier n'est publié que sous le verrou des envois (un à la fois), s'il
# passe la vérification du programme (kestrane --check-store : la règle même
# de la mise à jour des suiveurs), et après que la version qu'il remplace a
# été gardée dans history. Chaque publication, et chaque refus, ajoute une
# ligne à history/journal.txt. Les variables propres à ces fonctions
# commencent par pub_ ; elles rendent counts, reason, kept et site_note.

# Versions gardées au plus ; les plus anciennes s'en vont.
history_keep=1000
pub_newline='
'

# La version d'un fichier : l'ETag qu'Apache lui donne (FileETag Digest), le
# SHA-1 du contenu en base 64, entre guillemets ; rien sans fichier.
store_version() {
    [ -f "$1" ] && printf '"%s"' "$(openssl dgst -sha1 -binary "$1" | base64)"
}

# Un nom pour un journal ou un nom de fichier : sans blanc ni caractère de
# contrôle ; pour un nom de fichier, rien que des lettres sans accent, des
# chiffres et . _ @ -.
journal_name() {
    printf '%s' "$1" | tr '[:space:][:cntrl:]' '__'
}
file_name() {
    printf '%s' "$1" | LC_ALL=C tr -c 'A-Za-z0-9._@-' '_'
}

# Ajoute une ligne datée (UTC) au journal : journal_line CHAMP...
# Une ligne s'écrit d'un seul write, en ajout : des lignes écrites en même
# temps ne se mélangent pas.
journal_line() {
    pub_journal="$history/journal.txt"
    if [ ! -e "$pub_journal" ]; then
        : >>"$pub_journal" 2>/dev/null || return 1
        # Le compte d'Apache et l'administrateur (retablir.sh) y écrivent tous deux.
        chmod 664 "$pub_journal" 2>/dev/null
    fi
    pub_line="$(date -u +%Y-%m-%dT%H:%M:%SZ) $*"
    printf '%s\n' "$pub_line" >>"$pub_journal"
}

# Prend le verrou des envois (30 s au plus) ; 1 quand un autre le garde.
lock_store() {
    exec 9>>"${store%/*}/.envoi.lock" || return 1
    flock -w 30 9
}

# Vérifie la copie COPY avec le programme. 0 : publiable, `counts` dit ses
# résultats et combien diffèrent du fichier publié ; 1 : refusée, `reason`
# dit pourquoi (en français) ; 2 : vérification impossible, `reason` aussi.
check_copy() {
    counts='' reason=''
    if [ -z "${program:-}" ] || [ ! -x "$program" ]; then
        reason="Le programme kestrane est introuvable sur le serveur : rien n'est publié."
        return 2
    fi
    set -- "$1"
    [ -f "$store" ] && set -- "$1" --against "$store"
    # Hidden, beside the store: never served, and no process to name it.
    pub_checked="${store%/*}/.verification.$$"
    pub_status=0
    reason=$("$program" --check-store "$@" 2>&1 >"$pub_checked") || pub_status=$?
    IFS= read -r counts <"$pub_checked" || :
    rm -f "$pub_checked"
    # The reason's first line only.
    reason=${reason%%"$pub_newline"*}
    case $pub_status in
        0) reason='' ; return 0 ;;
        1) [ -n "$reason" ] || reason="Fichier refusé par la vérification." ; return 1 ;;
    esac
    reason="Vérification impossible (kestrane --check-store, code $pub_status) : rien n'est publié."
    return 2
}

# Garde le fichier publié dans history sous le nom AAAAMMJJTHHMMSSZ-avant-QUI,
# puis met COPY à sa place d'un coup (mv) et ne garde que les dernières
# versions. À appeler sous le verrou, après check_copy. `kept` dit le nom de
# la version gardée (vide quand rien n'était publié) ; en cas d'échec,
# `reason` dit pourquoi et rien n'est publié.
replace_store() {
    pub_copy=$1 pub_who=$(file_name "$2")
    kept=''
    if [ -f "$store" ]; then
        pub_stamp=$(date -u +%Y%m%dT%H%M%SZ)
        kept="Resultats2013-$pub_stamp-avant-$pub_who.ini"
        pub_n=1
        while [ -e "$history/$kept" ]; do
            pub_n=$((pub_n + 1))
            kept="Resultats2013-$pub_stamp-avant-$pub_who-$pub_n.ini"
        done
        if ! cp -p "$store" "$history/.$kept" || ! mv -f "$history/.$kept" "$history/$kept"; then
            rm -f "$history/.$kept"
            reason="Impossible de garder la version remplacée dans $history : rien n'est publié."
            kept=''
            return 1
        fi
    fi
    if ! mv -f "$pub_copy" "$store"; then
        reason="Impossible de remplacer $store : rien n'est publié."
        return 1
    fi
    # Les noms commencent par la date : l'ordre des noms (celui de * dans le
    # shell) est celui du temps.
    set -- "$history"/Resultats2013-[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]T[0-9][0-9][0-9][0-9][0-9][0-9]Z-*.ini
    pub_excess=$(($# - history_keep))
    while [ "$pub_excess" -gt 0 ] && [ -e "$1" ]; do
        rm -f "$1"
        shift
        pub_excess=$((pub_excess - 1))
    done
    return 0
}

# Régénère le site de la saison après une publication (site.sh, dans le
# dossier de ce script) et attend la fin. Un échec ne défait rien : le
# fichier reste publié et l'ancien site reste en place. `site_note` est vide
# quand le site est écrit ; sinon, une phrase qui le dit, pour la réponse, et
# la même va sur la sortie d'erreur (le journal d'erreurs d'Apache) :
#   publish_site QUI
publish_site() {
    site_note=''
    pub_why=$("$here/site.sh" "${store%/*}" 2>&1 >/dev/null) && return 0
    pub_why=${pub_why%%"$pub_newline"*}
    site_note="$pub_newline""Le site n'a pas été régénéré (l'ancien reste en ligne) : ${pub_why:-raison inconnue}"
    printf 'kestrane : publication de %s sans nouveau site : %s\n' "$1" "${pub_why:-raison inconnue}" >&2
    return 1
}
