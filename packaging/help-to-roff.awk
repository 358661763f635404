# Turns the help text that quillon-cli prints (Qt's QCommandLineParser layout) into man-page
# text: "Usage:" lines become synopsis lines, "Heading:" lines bold labels, "  term  text" items
# tagged paragraphs (continued by deeper-indented lines), other lines plain paragraphs.
#
#   awk -f help-to-roff.awk -v part=synopsis|body
#
# part=synopsis prints only the usage lines; part=body prints everything else.

function escape(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    if (text ~ /^[.']/) text = "\\&" text
    return text
}

# An option term such as "-f, --format <format>": names bold, the value's placeholder italic.
function option_term(term,    words, count, i, out, word) {
    count = split(term, words, " ")
    out = ""
    for (i = 1; i <= count; i++) {
        word = escape(words[i])
        if (words[i] ~ /^-/) {
            sub(/,$/, "", word)
            word = "\\fB" word "\\fR" (words[i] ~ /,$/ ? "," : "")
        } else {
            word = "\\fI" word "\\fR"
        }
        out = out (i > 1 ? " " : "") word
    }
    return out
}

# The program and command names bold, the rest as printed.
function usage_line(text) {
    if (match(text, /^quillon-cli( [a-z][a-z0-9-]*)?/)) {
        return "\\fB" escape(substr(text, 1, RLENGTH)) "\\fR" escape(substr(text, RLENGTH + 1))
    }
    return escape(text)
}

function start_paragraph() {
    if (pending_paragraph) {
        print ".PP"
        pending_paragraph = 0
    }
}

BEGIN { in_usage = 0; in_item = 0; in_text = 0; pending_paragraph = 0; heading = "" }

/^Usage: / {
    in_usage = 1
    line = substr($0, 8)
    if (part == "synopsis") print usage_line(line) "\n.br"
    next
}

in_usage && /^       +quillon-cli / {
    line = $0
    sub(/^ +/, "", line)
    if (part == "synopsis") print usage_line(line) "\n.br"
    next
}

{ in_usage = 0 }
part != "body" { next }

/^$/ {
    in_item = 0
    in_text = 0
    pending_paragraph = 1
    next
}

/^[A-Z][A-Za-z ]*:$/ {
    in_item = 0
    in_text = 0
    heading = $0
    print ".PP"
    print "\\fB" escape($0) "\\fR"
    pending_paragraph = 0
    next
}

in_item && /^   +[^ ]/ {
    line = $0
    sub(/^ +/, "", line)
    print escape(line)
    next
}

/^  [^ ]/ {
    term = substr($0, 3)
    text = ""
    gap = index(term, "  ")
    if (gap) {
        text = substr(term, gap)
        term = substr(term, 1, gap - 1)
        sub(/^ +/, "", text)
    }
    print ".TP"
    if (term ~ /^-/) {
        print option_term(term)
    } else if (heading == "Arguments:") {
        print "\\fI" escape(term) "\\fR"
    } else {
        print "\\fB" escape(term) "\\fR"
    }
    if (text != "") print escape(text)
    in_item = 1
    in_text = 0
    pending_paragraph = 0
    next
}

# Each line of a description is a line of its own.
{
    in_item = 0
    start_paragraph()
    if (in_text) print ".br"
    print escape($0)
    in_text = 1
}
