#!/usr/bin/env bash
# The completions made from --help, asked for the same command lines in bash (through
# bash-completion, as a login shell loads it), zsh (compinit, in a pseudo-terminal)
# and fish. Usage: completions_test.sh PROGRAM DIR (DIR holds multirename.bash,
# _multirename, multirename.fish)
set -uo pipefail
program=$1 dir=$2
here=$(cd "$(dirname "$0")" && pwd)
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/zsh" "$scratch/work/sub"
cd "$scratch/work" && touch 'a file.txt' b.json
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local
cp "$dir/_multirename" "$scratch/zsh/"

# The candidates bash offers for LINE (cursor at its end), one per line, sorted: the
# line split into words as readline splits it, at blanks and around '=' and ':'.
bash_offers() {
    bash --norc --noprofile -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        line=$2
        read -ra blanks <<<"$line"
        [[ $line == *" " ]] && blanks+=("")
        COMP_WORDS=()
        for w in "${blanks[@]}"; do
            while [[ $w =~ ^([^=:]*)([=:]+)(.*)$ ]]; do
                [[ -n ${BASH_REMATCH[1]} ]] && COMP_WORDS+=("${BASH_REMATCH[1]}")
                COMP_WORDS+=("${BASH_REMATCH[2]}")
                w=${BASH_REMATCH[3]}
            done
            COMP_WORDS+=("$w")
        done
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$line COMP_POINT=${#line}
        _multirename multirename "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' _ "$dir/multirename.bash" "$1" 2>/dev/null | sort
}

# What zsh added for LINE in the one run over the whole table (zsh.out).
zsh_offers() {
    awk -v want="== $1" '$0 == want { on = 1; next } /^== / { on = 0 } on && NF' \
        "$scratch/zsh.out" | tr -d '\\' | sort -u
}

# What fish offers for LINE, without the descriptions.
fish_offers() {
    fish --no-config -c "source $dir/multirename.fish; complete -C \$argv[1]" "$1" | cut -f1 | sort
}

# line | bash (readline keeps what follows its last '=' or ':') | zsh | fish
cases=()
while IFS= read -r row; do
    [[ -n $row && $row != \#* ]] && cases+=("$row")
done <<'EOF'
multirename --numb|--number --numbers-as-text|--number --numbers-as-text|--number --numbers-as-text
multirename --number 1=re|renumber|renumber|1=renumber
multirename --number 1=renumber:1,d|1,digits:|digits:|1=renumber:1,digits:
multirename --number 1=zeros:|keep remove|zeros:keep zeros:remove|1=zeros:keep 1=zeros:remove
multirename --wild 0=upper,lo|upper,lower|lower|0=upper,lower
multirename --wild 0|||
multirename -t 0=|||
multirename --paste |a file.txt b.json sub|a file.txt b.json sub|a file.txt b.json sub/
multirename --records b|b.json|b.json|b.json
multirename -e a|a file.txt|a file.txt|a file.txt
EOF

lines=()
for row in "${cases[@]}"; do lines+=("${row%%|*}"); done
lines+=("multirename --" "multirename -")
timeout 60 zsh -f "$here/zsh_offers.zsh" "$scratch/zsh" "$scratch/zsh.out" "${lines[@]}" ||
    fail "zsh did not complete the table"
for row in "${cases[@]}"; do
    IFS='|' read -r line want_bash want_zsh want_fish <<<"$row"
    for shell in bash zsh fish; do
        want=want_$shell
        got=$("${shell}_offers" "$line" | paste -sd' ')
        [ "$got" = "${!want}" ] || fail "$shell [$line]: got '$got', want '${!want}'"
    done
done

# Every option that --help names is offered after "--" (and "-" for short ones).
options=$("$program" --help | awk '/^  -/ {print $1}' | tr ',' '\n' | sort -u)
for shell in bash zsh fish; do
    offered=$({ "${shell}_offers" "multirename --"; "${shell}_offers" "multirename -"; } | sort -u)
    missing=$(comm -23 <(echo "$options") <(echo "$offered") | paste -sd' ')
    [ -z "$missing" ] || fail "$shell does not offer: $missing"
done

[ $failed -eq 0 ] && echo "completions: ok"
exit $failed
