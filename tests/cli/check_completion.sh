#!/usr/bin/env bash
# Completes command lines with the tool's bash completion, bash-completion's
# own helpers stood in for, and checks what it offers against the tool.
#   check_completion.sh QUILLON_CLI COMPLETION_SCRIPT
set -euo pipefail
cli=$1

# bash-completion's: the words and the one being completed; _filedir offers
# "FILES" and the pattern it was given.
_init_completion()
{
    words=("${COMP_WORDS[@]}") cword=$COMP_CWORD
    cur=${words[cword]} prev=${words[cword - 1]}
}
_filedir() { COMPREPLY=("FILES${1:+:$1}"); }
# shellcheck source=/dev/null
source "$2"

failed=0
# expect "WORDS TYPED" "OFFERED": the last word is the one being completed.
expect()
{
    read -ra COMP_WORDS <<< "$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _quillon_cli
    if [ "${COMPREPLY[*]}" != "$2" ]; then
        echo "'$1': offered '${COMPREPLY[*]}', expected '$2'"
        failed=1
    fi
}

# The commands are those --help lists, no more and no fewer.
listed=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]*\) .*/\1/p' | tr '\n' ' ')
expect "quillon-cli " "${listed}--help --version"
expect "quillon-cli co" "compute"
expect "quillon-cli compute --f" "--format"
expect "quillon-cli compute --format " "csv json"
expect "quillon-cli compute -o " "FILES"
expect "quillon-cli compute --jobs 2 " "FILES:@(quillon|csv)"
expect "quillon-cli check --" "--allow-no-results --as-shown --tolerance --jobs --help --version"
expect "quillon-cli check --a" "--allow-no-results --as-shown"
expect "quillon-cli check a.quillon " "FILES:@(quillon|csv)"
# Grading: a report's CSV is checked too, and exercise writes into a folder.
expect "quillon-cli check --tolerance " ""
expect "quillon-cli exercise -o " "FILES:-d"
expect "quillon-cli exercise --groups 3 " "--groups --seed --noise --output --help --version"
expect "quillon-cli fit --coefficient " "quillon colburn"

# Every option a command's help names is offered for it.
for command in $listed; do
    options=$("$cli" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' ')
    COMP_WORDS=(quillon-cli "$command" --) COMP_CWORD=2 COMPREPLY=()
    _quillon_cli
    offered=$(printf '%s\n' "${COMPREPLY[@]}" | sort -u | tr '\n' ' ')
    [ "$offered" = "$options" ] || { echo "$command: offered '$offered', help names '$options'"; failed=1; }
done
exit $failed
