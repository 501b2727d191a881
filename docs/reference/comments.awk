# Doxygen input filter: the headers are documented with plain // comments, as
# the code reads best. This turns them into Doxygen comments on the fly:
# - the header's leading comment block documents the component class it names
#   ("// TNumLab: ..."), or else the file; indented lines in it (tables,
#   sketches) are kept verbatim;
# - a // comment block above a declaration documents that declaration;
# - a trailing "// ..." after a declaration documents the declaration.
# Line numbers are preserved so warnings point at the right lines.

function flush_lead(    i, cls, inpre, line, prefix, suffix) {
  # "\class" and "\file" take the rest of their line, so the first two lines
  # of text share the second line and the line count stays. A block too short
  # for that stays a plain comment.
  if (nlead < 2 || lead[2] ~ /^\/\/   /) {
    for (i = 1; i <= nlead; i++) print lead[i]
    return
  }
  cls = ""
  if (match(lead[1], /^\/\/ T[A-Za-z0-9_]+[:,.]/)) {
    cls = substr(lead[1], 4, RLENGTH - 4)
    if (!(cls in declared)) cls = ""
  }
  print(cls != "" ? "/*! \\class " ns "::" cls : "/*! \\file")
  line = lead[1]; sub(/^\/\/ ?/, "", line)
  prefix = line " "
  inpre = 0
  for (i = 2; i <= nlead; i++) {
    line = lead[i]
    sub(/^\/\/ ?/, "", line)
    if (line ~ /^  / && !inpre) { prefix = prefix "\\verbatim "; inpre = 1 }
    else if (line !~ /^  / && inpre) { prefix = prefix "\\endverbatim "; inpre = 0 }
    suffix = (i == nlead) ? (inpre ? " \\endverbatim */" : " */") : ""
    print prefix line suffix
    prefix = ""
  }
}

FNR == 1 {
  # First pass over the file to learn its namespace and the classes it declares.
  ns = "qor"; delete declared
  while ((getline l < FILENAME) > 0) {
    if (l ~ /^namespace qor::host/) ns = "qor::host"
    if (match(l, /^class (QORKIT_EXPORT )?T[A-Za-z0-9_]+/)) {
      n = split(substr(l, 1, RLENGTH), parts, " ")
      declared[parts[n]] = 1
    }
  }
  close(FILENAME)
  nlead = 0; leading = 1
}

leading && /^\/\// { lead[++nlead] = $0; next }
leading {
  leading = 0
  if (nlead > 0) flush_lead()
}

/^[ \t]*\/\/ / { sub(/\/\/ /, "/// "); print; next }
/^[ \t]*\/\/$/ { sub(/\/\//, "///"); print; next }
/[;{,)][ \t]+\/\/ / && !/"[^"]*\/\/[^"]*"/ { sub(/[ \t]+\/\/ /, " ///< "); print; next }
{ print }
