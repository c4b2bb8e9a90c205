# The mutants of one C++ source file, by a fixed set of operators; used by
# scripts/mutate.sh (POSIX awk; run it with LC_ALL=C).
#   awk -f scripts/mutants.awk FILE               lists them, one a line:
#     INDEX LINE OPERATOR OCCURRENCE TEXT MUTATED  (separated by tabs)
#   awk -v apply=INDEX -f scripts/mutants.awk FILE   FILE with that mutant
# TEXT is the line the mutant starts on, blanks at its ends trimmed, and
# OCCURRENCE counts the mutants of that operator on lines of that same text
# from the file's start (1, 2, ...): FILE, OPERATOR, OCCURRENCE and TEXT name
# a mutant whatever is added or removed elsewhere in the file. MUTATED is
# that line as the mutant has it. A mutant keeps the file's line count.
#
# The operators, on code only (comments, literals and preprocessor lines are
# masked first); binary operators are found with the blanks clang-format
# puts around them, which tells them from template brackets and references:
#   lt-le le-lt gt-ge ge-gt   the comparison boundaries: < <=, > >=
#   eq-ne ne-eq               == and != swapped
#   and-or or-and             && and || swapped
#   const+1 const-1           an integer literal plus or minus one
#   true false                an if or while condition forced true or false
#   drop-call                 a statement that is one call removed ({})

function spaces(count, text) {
  text = ""
  while (length(text) < count) text = text " "
  return text
}

function is_ident(c) { return c ~ /^[A-Za-z0-9_]$/ }

function trim(text) {
  sub(/^[ \t]+/, "", text)
  sub(/[ \t]+$/, "", text)
  gsub(/\t/, " ", text)
  return text
}

# mask[l]: line l with comments, string and character literals and
# preprocessor lines blanked, every other byte where it was.
function mask_lines(l, s, m, j, c, k, len, in_block, raw, pp, quote) {
  in_block = 0
  raw = ""
  pp = 0
  for (l = 1; l <= n; ++l) {
    s = line[l]
    len = length(s)
    if (!in_block && raw == "" && (pp || s ~ /^[ \t]*#/)) {
      mask[l] = spaces(len)
      pp = s ~ /\\$/
      continue
    }
    m = ""
    j = 1
    while (j <= len) {
      c = substr(s, j, 1)
      if (in_block) {
        if (substr(s, j, 2) == "*/") { m = m "  "; j += 2; in_block = 0 }
        else { m = m " "; ++j }
        continue
      }
      if (raw != "") {
        k = index(substr(s, j), ")" raw "\"")
        if (k == 0) { m = m spaces(len - j + 1); j = len + 1; continue }
        k += length(raw) + 1
        m = m spaces(k)
        j += k
        raw = ""
        continue
      }
      if (substr(s, j, 2) == "//") { m = m spaces(len - j + 1); break }
      if (substr(s, j, 2) == "/*") { m = m "  "; j += 2; in_block = 1; continue }
      if (c == "\"" && j > 1 && substr(s, j - 1, 1) == "R" &&
          (j == 2 || !is_ident(substr(s, j - 2, 1)) ||
           substr(s, 1, j - 2) ~ /(^|[^A-Za-z0-9_])(u8|u|U|L)$/)) {
        k = index(substr(s, j + 1), "(")
        raw = substr(s, j + 1, k - 1)
        m = m spaces(k + 1)
        j += k + 1
        continue
      }
      # A quote after a digit inside a number separates digits.
      if (c == "'" && j > 1 && substr(s, j - 1, 1) ~ /[0-9A-Fa-f]/ &&
          substr(m, 1, j - 1) ~ /[^A-Za-z_][0-9][0-9A-Fa-fxX']*$/) {
        m = m c
        ++j
        continue
      }
      if (c == "\"" || c == "'") {
        quote = c
        for (k = j + 1; k <= len; ++k) {
          if (substr(s, k, 1) == "\\") { ++k; continue }
          if (substr(s, k, 1) == quote) break
        }
        m = m spaces(k - j + 1)
        j = k + 1
        continue
      }
      m = m c
      ++j
    }
    mask[l] = m
  }
}

# The mutant that replaces line l1 from column c1 to line l2 column c2 (both
# included) by `with`. Lines between become empty; the line count stays.
function mutant(op, l1, c1, l2, c2, with, text, key, first, l) {
  ++count
  text = trim(line[l1])
  key = op SUBSEP text
  ++seen[key]
  first = substr(line[l1], 1, c1 - 1) with
  if (l1 == l2) first = first substr(line[l1], c2 + 1)
  if (apply == 0) {
    printf "%d\t%d\t%s\t%d\t%s\t%s%s\n", count, l1, op, seen[key], text,
      trim(first), (l1 == l2 ? "" : " ...")
    return
  }
  if (count != apply) return
  out[l1] = first
  for (l = l1 + 1; l < l2; ++l) out[l] = ""
  if (l2 > l1) out[l2] = spaces(c2) substr(line[l2], c2 + 1)
}

# The ( at line l, column c: where its ) is, in close_line and close_col;
# false when the file ends first.
function find_close(l, c, depth, ch) {
  depth = 0
  for (; l <= n; ++l) {
    for (; c <= length(mask[l]); ++c) {
      ch = substr(mask[l], c, 1)
      if (ch == "(") ++depth
      else if (ch == ")" && --depth == 0) {
        close_line = l
        close_col = c
        return 1
      }
    }
    c = 1
  }
  return 0
}

# The first byte that is not blank after line l, column c: in next_char,
# its place in next_line and next_col.
function next_code(l, c, ch) {
  for (; l <= n; ++l) {
    for (; c <= length(mask[l]); ++c) {
      ch = substr(mask[l], c, 1)
      if (ch != " " && ch != "\t") {
        next_char = ch
        next_line = l
        next_col = c
        return
      }
    }
    c = 1
  }
  next_char = ""
}

# The code before line l, blanks skipped: its last 5 bytes.
function code_before(l, text) {
  for (--l; l >= 1; --l) {
    text = mask[l]
    sub(/[ \t]+$/, "", text)
    if (text != "") return substr(text, length(text) - 4)
  }
  return ";"
}

# An integer literal one more or one less (step 1 or -1), in its own base,
# with its suffix; "" when there is none (a hex zero less one).
function step_literal(token, step, prefix, digits, suffix, base, i, d, result, carry) {
  prefix = ""
  if (token ~ /^0[xX]/) { prefix = substr(token, 1, 2); token = substr(token, 3) }
  match(token, /[uUlL]*$/)
  suffix = substr(token, RSTART)
  digits = substr(token, 1, RSTART - 1)
  base = prefix == "" ? "0123456789" : "0123456789abcdef"
  if (step < 0 && digits ~ /^0+$/) return prefix == "" ? "-1" suffix : ""
  result = ""
  carry = 1
  for (i = length(digits); i >= 1; --i) {
    d = index(base, tolower(substr(digits, i, 1))) - 1
    if (carry) {
      d += step
      carry = 0
      if (d == length(base)) { d = 0; carry = 1 }
      else if (d < 0) { d = length(base) - 1; carry = 1 }
    }
    result = substr(base, d + 1, 1) result
  }
  if (carry) result = "1" result
  if (prefix == "") sub(/^0+/, "", result)
  if (result == "") result = "0"
  if (digits ~ /[A-F]/) result = toupper(result)
  return prefix result suffix
}

function binary_operators(l, m, j, len, four, three) {
  len = length(m)
  for (j = 1; j + 2 <= len; ++j) {
    four = substr(m, j, 4)
    three = substr(m, j, 3)
    if (four == " <= ") mutant("le-lt", l, j + 1, l, j + 2, "<")
    else if (four == " >= ") mutant("ge-gt", l, j + 1, l, j + 2, ">")
    else if (four == " == ") mutant("eq-ne", l, j + 1, l, j + 2, "!=")
    else if (four == " != ") mutant("ne-eq", l, j + 1, l, j + 2, "==")
    else if (four == " && ") mutant("and-or", l, j + 1, l, j + 2, "||")
    else if (four == " || ") mutant("or-and", l, j + 1, l, j + 2, "&&")
    else if (three == " < ") mutant("lt-le", l, j + 1, l, j + 1, "<=")
    else if (three == " > ") mutant("gt-ge", l, j + 1, l, j + 1, ">=")
  }
}

function literals(l, m, j, len, token, size, more, less) {
  len = length(m)
  for (j = 1; j <= len; ++j) {
    if (substr(m, j, 1) !~ /[0-9]/) continue
    if (j > 1 && substr(m, j - 1, 1) ~ /[A-Za-z0-9_.']/) continue
    match(substr(m, j), /^[0-9][0-9A-Za-z_.']*/)
    size = RLENGTH
    token = substr(m, j, size)
    if (token ~ /^0[xX][0-9A-Fa-f]+[uUlL]*$/ ||
        (token ~ /^[0-9]+[uUlL]*$/ && token !~ /^0[0-9]/)) {
      more = step_literal(token, 1)
      less = step_literal(token, -1)
      mutant("const+1", l, j, l, j + size - 1, more)
      if (less != "") mutant("const-1", l, j, l, j + size - 1, less)
    }
    j += size - 1
  }
}

function conditions(l, m, j, len, word, open, inner) {
  len = length(m)
  for (j = 1; j <= len; ++j) {
    if (j > 1 && is_ident(substr(m, j - 1, 1))) continue
    if (substr(m, j, 4) == "if (") word = 2
    else if (substr(m, j, 7) == "while (") word = 5
    else continue
    open = j + word + 1
    if (!find_close(l, open)) continue
    inner = close_line == l ? trim(substr(line[l], open + 1, close_col - open - 1)) : ""
    if (inner != "true") mutant("true", l, open + 1, close_line, close_col - 1, "true")
    if (inner != "false") mutant("false", l, open + 1, close_line, close_col - 1, "false")
    # The statement it guards, on the same line.
    next_code(close_line, close_col + 1)
    if (next_line == close_line && next_char != "{") call_at(next_line, next_col)
  }
}

# A call statement starting at line l, column c: a name (a::b, a.b, a->b)
# and its arguments, then ";". Removed as a whole ({}).
function call_at(l, c, rest, word) {
  rest = substr(mask[l], c)
  if (!match(rest, /^[A-Za-z_][A-Za-z0-9_]*((::|\.|->)[A-Za-z_][A-Za-z0-9_]*)*\(/)) return
  word = rest
  sub(/[^A-Za-z0-9_].*/, "", word)
  if (word in keyword) return
  if (!find_close(l, c + RLENGTH - 1)) return
  next_code(close_line, close_col + 1)
  if (next_char != ";") return
  mutant("drop-call", l, c, next_line, next_col, "{}")
}

# A statement that begins a line, after one that ended (or a block, a
# label, a condition on the line before, else or do).
function call_statement(l, before) {
  if (!match(mask[l], /^[ \t]*[A-Za-z_]/)) return
  before = code_before(l)
  if (before !~ /[;{}):]$/ && before !~ /(^|[^A-Za-z0-9_])(else|do)$/) return
  if (before ~ /::$/) return
  call_at(l, RLENGTH)
}

BEGIN {
  apply += 0
  split("if while for switch return sizeof alignof decltype static_assert " \
        "assert delete new throw case do else goto typeid noexcept alignas " \
        "using typedef template static_cast reinterpret_cast const_cast " \
        "dynamic_cast co_return co_await co_yield requires operator", words, " ")
  for (w in words) keyword[words[w]] = 1
}

{ line[NR] = $0 }

END {
  n = NR
  mask_lines()
  for (l = 1; l <= n; ++l) out[l] = line[l]
  for (l = 1; l <= n; ++l) {
    binary_operators(l, mask[l])
    literals(l, mask[l])
    conditions(l, mask[l])
    call_statement(l)
  }
  if (apply == 0) exit
  if (apply > count) { print "mutants.awk: no mutant " apply > "/dev/stderr"; exit 1 }
  for (l = 1; l <= n; ++l) print out[l]
}
