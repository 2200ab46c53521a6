#!/usr/bin/env bash
# Fails when a source of a folder pulls in, directly or through other headers, a header
# of a folder above its own. The graph is the compiler's: the dependencies Ninja recorded
# for every object of the build, so relative and indented includes count like any other.
# The build compiles each header that has no source of its own name alone, as
# header-check/FOLDER/NAME.h.cpp in the build folder: that source counts as the header's,
# so a header's includes are checked for its own folder even when only higher folders
# include it. A product header that still no source of its own folder pulls in is
# reported as well.
#
# Usage: check-layers.sh SOURCE_ROOT BUILD_DIR [NINJA]
set -euo pipefail
root=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
ninja=${3:-ninja}

# What each folder may reach, lowest layer first. resources/ holds only resource ids.
layers='
framework framework
config    config framework
driver    driver config framework
controls  controls config framework
resources resources
pages     pages controls driver config framework resources
volume    volume pages controls driver config framework resources
app       app volume pages controls driver config framework resources
tools     tools pages config framework resources
sim       sim driver config framework
bench     bench app volume pages controls driver config framework resources sim
'

headers=$(cd "$root" && for layer in $(awk 'NF {print $1}' <<<"$layers"); do
  [ -d "$layer" ] && find "$layer" -name '*.h'
done)

"$ninja" -C "$build" -t deps | awk -v root="$root" -v build="$build" \
  -v layers="$layers" -v headers="$headers" '
function normalise(path,    parts, n, i, out, depth, stack) {
  if (substr(path, 1, 1) != "/")
    path = build "/" path
  n = split(path, parts, "/")
  depth = 0
  for (i = 1; i <= n; i++) {
    if (parts[i] == "" || parts[i] == ".")
      continue
    if (parts[i] == "..") { if (depth > 0) depth--; continue }
    stack[++depth] = parts[i]
  }
  out = ""
  for (i = 1; i <= depth; i++)
    out = out "/" stack[i]
  return out
}
# The path below the source root, or "" for system headers and generated files.
function relative(path) {
  path = normalise(path)
  if (index(path, root "/") != 1 || index(path, build "/") == 1)
    return ""
  return substr(path, length(root) + 2)
}
# The header that a header-check source compiles alone, or "".
function checkedAlone(path,    prefix) {
  path = normalise(path)
  prefix = build "/header-check/"
  if (index(path, prefix) != 1)
    return ""
  path = substr(path, length(prefix) + 1)
  return substr(path, 1, length(path) - 4)
}
function layerOf(path,    slash) {
  slash = index(path, "/")
  return slash ? substr(path, 1, slash - 1) : ""
}
BEGIN {
  n = split(layers, rows, "\n")
  for (i = 1; i <= n; i++) {
    count = split(rows[i], words, " ")
    for (j = 2; j <= count; j++)
      allowed[words[1], words[j]] = 1
    if (count > 0)
      checked[words[1]] = 1
  }
  split(headers, productHeaders, "\n")
  status = 0
}
/^[^ ]/ { source = ""; next }
NF == 0 { next }
{
  path = relative($1)
  if (source == "") {
    source = checkedAlone($1)
    if (source == "")
      source = path == "" ? "-" : path
    sourceLayer = layerOf(source)
    next
  }
  if (path == "" || !(sourceLayer in checked))
    next
  target = layerOf(path)
  if (target == sourceLayer)
    compiledInOwnFolder[path] = 1
  else if ((target in checked) && !((sourceLayer, target) in allowed) && !((source, target) in told)) {
    told[source, target] = 1
    printf "%s: %s/ must not include %s/ (it pulls in %s)\n", source, sourceLayer, target, path > "/dev/stderr"
    status = 1
  }
}
END {
  for (i in productHeaders) {
    header = productHeaders[i]
    if (header != "" && !(header in compiledInOwnFolder)) {
      printf "%s: no source of %s/ includes it, so its own includes go unchecked\n", header, layerOf(header) > "/dev/stderr"
      status = 1
    }
  }
  exit status
}'
