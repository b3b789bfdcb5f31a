# zsh_offers.zsh FNDIR OUT LINE...: types each LINE and Tab into an interactive zsh
# that loads the completions of FNDIR, and writes to OUT, after a line "== LINE",
# every candidate that the completion functions add.
zmodload zsh/zpty
fndir=$1 out=$2
shift 2
zpty z zsh -f -i
# Input typed before the shell reads its first line is thrown away: wait for it.
zpty -w z "PS1='>'; print RE''ADY"
zpty -r z reply '*READY*'
zpty -w z "fpath=($fndir \$fpath); autoload -U compinit; compinit -u -D"
zpty -w z "compadd() { builtin compadd -O __got \"\$@\"; print -rl -- \$__got >>$out; builtin compadd \"\$@\" }"
# Tab completes, then says so; the next keys wait for that (with keys typed ahead,
# zsh now and then completed nothing).
zpty -w z "tab() { zle expand-or-complete; zle -M CO''MPLETED }; zle -N tab; bindkey '^I' tab"
n=0
for line in "$@"; do
    zpty -w z "print -r -- ${(qq):-== $line} >>$out"
    zpty -w -n z "$line"$'\t'
    zpty -r z reply '*COMPLETED*'
    zpty -w z $'\C-u'"print CA''SE$((++n))"
    zpty -r z reply "*CASE$n*"
done
zpty -d z
