# Kestrane 1 : où le serveur de la ligue trouve le programme kestrane, qui
# vérifie chaque fichier avant de le publier (kestrane --check-store).
# À inclure (.) depuis un script sh ; définit kestrane_program.
#
#     kestrane_program [DOSSIER_DU_DEPOT]
#
# écrit le chemin du programme, cherché dans cet ordre :
#   1. KESTRANE_PROGRAM, s'il est défini (il doit alors être exécutable) ;
#   2. build/bin/kestrane du dépôt DOSSIER_DU_DEPOT (la construction du dépôt) ;
#   3. le programme installé (/usr/local/bin, /usr/bin, puis le PATH).
# Sans programme trouvé, n'écrit rien et renvoie 1.

kestrane_program() {
    if [ -n "${KESTRANE_PROGRAM:-}" ]; then
        [ -f "$KESTRANE_PROGRAM" ] && [ -x "$KESTRANE_PROGRAM" ] || return 1
        printf '%s\n' "$KESTRANE_PROGRAM"
        return 0
    fi
    for candidate in "${1:+$1/build/bin/kestrane}" /usr/local/bin/kestrane /usr/bin/kestrane; do
        if [ -n "$candidate" ] && [ -f "$candidate" ] && [ -x "$candidate" ]; then
            printf '%s\n' "$candidate"
            return 0
        fi
    done
    command -v kestrane 2>/dev/null
}
