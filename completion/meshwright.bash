# Bash completion of meshwright: its options, the kinds after -k/--kind, the sources after
# --normals, thread counts after -j/--threads, any file after -o/--output, nothing after --name,
# and otherwise ASE models (*.ase, *.ASE) and folders.

_meshwright() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "--kind=di" arrives as three words, "--kind" "=" "di", since bash splits at "=".
    if [[ $prev == = && COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == = ]]; then
        cur=
    fi
    COMPREPLY=()
    case $prev in
        -k | --kind)
            local kinds="1 2 3 4 5 display-list vertex-array indexed-vertex-array exact-indexed"
            kinds+=" buffers"
            mapfile -t COMPREPLY < <(compgen -W "$kinds" -- "$cur")
            return
            ;;
        --normals)
            mapfile -t COMPREPLY < <(compgen -W "file smoothing none" -- "$cur")
            return
            ;;
        --name)
            return
            ;;
        -j | --threads)
            mapfile -t COMPREPLY < <(compgen -W "1 2" -- "$cur")
            return
            ;;
        -o | --output)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
    esac
    # After "--" every word is a file, even one that starts with a dash.
    local word options_end=false
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        [[ $word == -- ]] && options_end=true
    done
    if [[ $cur == -* ]] && ! $options_end; then
        local options="-k --kind -o --output -f --force --scene --name --normals -j --threads"
        options+=" -h --help --version"
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi
    compopt -o filenames
    mapfile -t COMPREPLY < <(
        compgen -d -- "$cur"
        compgen -f -X '!*.ase' -- "$cur"
        compgen -f -X '!*.ASE' -- "$cur"
    )
}

complete -F _meshwright meshwright
