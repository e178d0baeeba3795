#!/usr/bin/env bash
# The layers of the core: each folder may include only from its own level and below, and
# none may include a Qt header. Prints every offending line and exits 1 when there is one.
# Usage: check_layers.sh SOURCE_DIR
set -uo pipefail

root="$1"
# Bottom first. appcore holds the main window's rules and may use the whole core; calendar
# makes calendar files of month tables, and appcore keeps its choices; the log of outings
# and catches rests on the month table and is below the windows' rules.
declare -A level=([astro]=0 [locations]=1 [table]=2 [calendar]=3 [log]=4 [appcore]=5 [gazetteer]=9 [ui]=9 [app]=9 [cli]=9)
core_folders=(astro locations table calendar log appcore)

found=0
for folder in "${core_folders[@]}"; do
    [ -d "$root/$folder" ] || continue
    while IFS= read -r -d '' file; do
        relative="${file#"$root"/}"
        while IFS=: read -r number line; do
            if [[ "$line" =~ \<(Q|q[a-z]*\.h) ]]; then
                echo "$relative:$number: a core folder includes a Qt header: $line"
                found=1
            elif [[ "$line" =~ \"([A-Za-z_]+)/ ]]; then
                target="${BASH_REMATCH[1]}"
                if [ -n "${level[$target]+set}" ] && [ "${level[$target]}" -gt "${level[$folder]}" ]; then
                    echo "$relative:$number: $folder includes from the higher layer $target: $line"
                    found=1
                fi
            fi
        done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file")
    done < <(find "$root/$folder" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)
done
exit "$found"
