#!/usr/bin/env bash
# What the bash completion offers, word by word, in a folder of its own with a stand-in `orb`
# that lists two banks (and only for the database given with --db).
#   completion_test.sh COMPLETION_SCRIPT
completion=$(realpath "$1")
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/here"
cd "$work/here" || exit 1
mkdir -p Styles "Gig folder"
touch USER01.STY bank.sty notes.txt Beat.SSF Monday.ODD orb.MDB
cat > "$work/bin/orb" <<'ORB'
#!/usr/bin/env bash
if [ "$*" = "--db my.MDB banks" ]; then
    printf '7\tMy Gig\tSaturday\t12\t40\n3\tRock\t\t5\t0\n'
fi
ORB
chmod +x "$work/bin/orb"
PATH="$work/bin:$PATH"
# shellcheck disable=SC1090
source "$completion"

failures=0
# expect "COMMAND LINE" "EXPECTED OFFERS" (the line's last word is completed; a trailing blank
# completes an empty word).
expect() {
    read -r -a COMP_WORDS <<< "$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _orb 2>/dev/null
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    if [ "${got% }" != "$2" ]; then
        echo "\"$1\": offered \"${got% }\", expected \"$2\""
        failures=$((failures + 1))
    fi
}

expect "orb fl" "floppy"
expect "orb sty-" "sty-info sty-rewrite"
expect "orb import --m" "--mode"
expect "orb import --mode " "all content name"
expect "orb import --mode name " "Gig folder Styles USER01.STY bank.sty"
expect "orb sty-info " "Gig folder Styles USER01.STY bank.sty"
expect "orb sty-rewrite bank.sty " "Gig folder Styles USER01.STY bank.sty"
expect "orb backup " "Gig folder Monday.ODD Styles"
expect "orb ssf-import --skip-present " "Beat.SSF Gig folder Styles"
expect "orb song-import " "Beat.SSF Gig folder Monday.ODD Styles USER01.STY bank.sty notes.txt orb.MDB"
expect "orb --db " "Gig folder Styles orb.MDB"
expect "orb --db my.MDB floppy " "My\\ Gig Rock"
expect "orb --db my.MDB floppy R" "Rock"
expect "orb floppy " ""
expect "orb --db my.MDB floppy Rock --to " "Gig folder Styles"
expect "orb --db my.MDB make-sty " "My\\ Gig Rock"
expect "orb --db my.MDB make-sty Rock " "Gig folder Styles USER01.STY bank.sty"
expect "orb --db my.MDB hd-transfer Rock Rock " "My\\ Gig Rock"
expect "orb --db my.MDB bank-delete " "My\\ Gig Rock"
expect "orb --db my.MDB setup-save Live --floppy Rock " "My\\ Gig Rock"
expect "orb --db my.MDB ssf-export --bank " "My\\ Gig Rock"
expect "orb ssf-export 12 40 " "Gig folder Styles"
expect "orb setup-write Live --hd-to " "Gig folder Styles"
expect "orb style-delete " ""
expect "orb undo --" "--db --help --yes"
expect "orb " "$(printf '%s\n' "Beat.SSF" "Gig folder" "Monday.ODD" "Styles" "USER01.STY" "bank.sty" $_orb_commands | sort | tr '\n' ' ' | sed 's/ $//')"
exit $((failures > 0))
