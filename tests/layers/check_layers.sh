#!/usr/bin/env bash
# The layers of the program: a file may include from its own folder and from folders of a
# lower level, never from a higher level nor from another folder of its own level; the
# Qt-free core folders may not include a Qt header. Every top-level folder holding C++
# sources must have a level here, so a new library is placed before it can be used.
# Prints every offending line and exits 1 when there is one.
# Usage: check_layers.sh SOURCE_DIR
set -uo pipefail

root="$1"
# Bottom first; each level links only the libraries below it (see the README's Folders).
declare -A level=(
    [astro]=0
    [locations]=1
    [table]=2
    [tides]=3                  # tide tables: uses table, locations, astro
    [calendar]=4 [log]=4       # calendar files; the catch log (may use tides)
    [appcore]=5                # the main window's rules; links calendar
    [gazetteer]=6 [ui/report]=6  # Qt from here on: town search, report engine
    [ui]=7 [cli]=7             # dialogs; the command line (both use ui/report)
    [app]=8                    # the main window and program start (uses ui)
    [tools]=9                  # reference computations and checks, never shipped
    [tests]=10 [bench]=10 [fuzz]=10)
# Standard C++ only: no Qt header.
core_folders=(astro locations table tides calendar log appcore)

# The folder a path inside the tree belongs to: its first component, or ui/report.
folder_of() {
    case "$1" in
    ui/report/*) echo "ui/report" ;;
    *) echo "${1%%/*}" ;;
    esac
}

is_core() {
    local core
    for core in "${core_folders[@]}"; do
        [ "$core" = "$1" ] && return 0
    done
    return 1
}

found=0
while IFS= read -r -d '' file; do
    relative="${file#"$root"/}"
    [[ "$relative" == */* ]] || continue
    folder="$(folder_of "$relative")"
    [[ "$folder" == build* || "$folder" == .* ]] && continue
    if [ -z "${level[$folder]+set}" ]; then
        echo "$relative: the folder $folder has no layer; give it one in check_layers.sh"
        found=1
        continue
    fi
    while IFS=: read -r number line; do
        if [[ "$line" =~ \<(Q|q[a-z]*\.h) ]]; then
            if is_core "$folder"; then
                echo "$relative:$number: a core folder includes a Qt header: $line"
                found=1
            fi
        elif [[ "$line" =~ \"([A-Za-z_]+)(/report)?/ ]]; then
            target="${BASH_REMATCH[1]}"
            [ "$target" = ui ] && [ -n "${BASH_REMATCH[2]}" ] && target="ui/report"
            [ -n "${level[$target]+set}" ] && [ "$target" != "$folder" ] || continue
            if [ "${level[$target]}" -gt "${level[$folder]}" ]; then
                echo "$relative:$number: $folder includes from the higher layer $target: $line"
                found=1
            elif [ "${level[$target]}" -eq "${level[$folder]}" ]; then
                echo "$relative:$number: $folder includes from $target of its own level: $line"
                found=1
            fi
        fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file")
done < <(find "$root" -mindepth 2 \( -name 'build*' -o -name '.*' \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' \) -print0)
exit "$found"
