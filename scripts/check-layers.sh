#!/usr/bin/env bash
# Fails when a product source includes a header of a layer above its own. The layers,
# lowest first: framework | config | driver | controls | pages | volume | app.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
declare -A allowed=(
  [framework]="framework"
  [config]="config framework"
  [driver]="driver config framework"
  [controls]="controls framework config"
  [pages]="pages framework config driver controls resources"
  [volume]="volume pages framework config driver controls resources"
  [app]="app volume pages framework config driver controls resources"
  [sim]="sim driver"
)
status=0
for layer in "${!allowed[@]}"; do
  [ -d "$root/$layer" ] || continue
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%/*}
    case " ${allowed[$layer]} " in
      *" $target "*) ;;
      *) echo "$file:$line: $layer/ must not include $target/ ($include)" >&2; status=1 ;;
    esac
  done < <(cd "$root" && grep -rnE '^#include "[a-z]+/' "$layer" --include='*.cpp' --include='*.h' || true)
done
exit $status
