#!/usr/bin/env python3
"""Builds the built-in language table (resources/lang/languages.xml) from the tables in this folder.

Source tables (UTF-8, one record per line, fields separated by a TAB, "#" starts a comment line):
  languages.tsv        tagName, engName, trueName of every language, in menu order, "eng" first
  ids.tsv              id, kind, where the text is shown, English text
                         kind "word": must be translated into every language
                         kind "name", "number", "address": a language may leave it out and then
                         gets the English text (product names, versions, percentages, web pages)
  texts/TAG.tsv        id, text for every language but English
  same_as_english.tsv  tagName, id of a word whose correct translation happens to be spelled like
                       the English one (e.g. "Album" in German); anything else equal to English is
                       treated as an untranslated copy

usage: build_table.py           rewrite the table, after checking the sources
       build_table.py --check   check the sources and that the committed table is up to date
Exit status 0 when everything holds, 1 with one line per problem otherwise.
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TABLE = os.path.join(ROOT, "resources", "lang", "languages.xml")
KINDS = ("word", "name", "number", "address")
EOL = "\r\n"  # the table is indented and uses CR LF, like a hand-edited file

problems = []


def problem(text):
    problems.append(text)


def read_tsv(path, fields):
    rows = []
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
    except OSError as e:
        problem(f"{path}: cannot read ({e.strerror})")
        return rows
    for number, line in enumerate(lines, 1):
        if not line or line.startswith("#"):
            continue
        cells = line.split("\t")
        if len(cells) != fields:
            problem(f"{path}:{number}: expected {fields} fields, found {len(cells)}")
            continue
        rows.append((number, cells))
    return rows


def check_text(where, text):
    if text == "":
        problem(f"{where}: empty text")
    # Spaces at the edges survive as &#160;; other white space there would be stripped by the
    # reader, and line breaks or TABs cannot stand in a TSV field anyway.
    if any(c in text for c in "\r\n\t\u3000"):
        problem(f"{where}: text holds a line break, TAB or ideographic space")


def escape_attr(value):
    return (value.replace("&", "&amp;").replace("<", "&lt;").replace('"', "&quot;"))


def escape_text(value):
    value = value.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    # Inner spaces stay readable; only the edges need the entity, since the reader drops
    # white space at both ends of a text.
    core = value.strip(" ")
    if not core:
        return "&#160;" * len(value)
    lead = len(value) - len(value.lstrip(" "))
    trail = len(value) - len(value.rstrip(" "))
    return "&#160;" * lead + core + "&#160;" * trail


def decode_text(stored):
    """The reader's text decoding, for reading our own output back."""
    out = []
    kept = 0  # length of out up to the last character that came from an entity
    i = 0
    stored = stored.lstrip(" \t\r\n")
    entities = {"&amp;": "&", "&lt;": "<", "&gt;": ">", "&#160;": " ", "&#13;": "\r",
                "&#10;": "\n"}
    while i < len(stored):
        for entity, char in entities.items():
            if stored.startswith(entity, i):
                out.append(char)
                i += len(entity)
                if entity.startswith("&#"):
                    kept = len(out)
                break
        else:
            out.append(stored[i])
            i += 1
    while len(out) > kept and out[-1] in " \n\u3000\t\r":
        out.pop()
    return "".join(out)


def decode_attr(stored):
    for entity, char in (("&quot;", '"'), ("&lt;", "<"), ("&#13;", "\r"), ("&#10;", "\n"),
                         ("&amp;", "&")):
        stored = stored.replace(entity, char)
    return stored


def load_sources():
    languages = []
    for number, (tag, eng_name, true_name) in read_tsv(os.path.join(HERE, "languages.tsv"), 3):
        where = f"languages.tsv:{number}"
        if not re.fullmatch(r"[a-z]{3}", tag):
            problem(f"{where}: tagName {tag!r} is not three lower-case letters")
        if not eng_name or not true_name:
            problem(f"{where}: empty name")
        languages.append((tag, eng_name, true_name))
    tags = [l[0] for l in languages]
    if len(set(t.lower() for t in tags)) != len(tags):
        problem("languages.tsv: a tagName occurs twice")
    if not tags or tags[0] != "eng":
        problem("languages.tsv: English must come first")

    ids = []
    for number, (key, kind, where_shown, english) in read_tsv(os.path.join(HERE, "ids.tsv"), 4):
        where = f"ids.tsv:{number}"
        if not re.fullmatch(r"[1-9][0-9]{0,9}", key) or int(key) > 2**31 - 1:
            problem(f"{where}: id {key!r} is not a positive 32-bit number")
            continue
        if kind not in KINDS:
            problem(f"{where}: unknown kind {kind!r}")
        check_text(where, english)
        ids.append((int(key), kind, where_shown, english))
    numbers = [i[0] for i in ids]
    if numbers != sorted(set(numbers)):
        problem("ids.tsv: ids must be unique and in ascending order")

    same = set()
    for number, (tag, key) in read_tsv(os.path.join(HERE, "same_as_english.tsv"), 2):
        if tag not in tags or not key.isdigit() or int(key) not in numbers:
            problem(f"same_as_english.tsv:{number}: unknown language or id")
        same.add((tag, int(key)))

    english = {i[0]: i[3] for i in ids}
    kinds = {i[0]: i[1] for i in ids}
    texts = {"eng": dict(english)}
    for tag in tags[1:]:
        path = os.path.join(HERE, "texts", tag + ".tsv")
        own = {}
        for number, (key, text) in read_tsv(path, 2):
            where = f"texts/{tag}.tsv:{number}"
            if not key.isdigit() or int(key) not in english:
                problem(f"{where}: id {key!r} is not in ids.tsv")
                continue
            if int(key) in own:
                problem(f"{where}: id {key} given twice")
            check_text(where, text)
            own[int(key)] = text
        for key in numbers:
            if key not in own:
                if kinds[key] == "word":
                    problem(f"texts/{tag}.tsv: no translation for {key} ({english[key]!r})")
                    continue
                own[key] = english[key]
            elif kinds[key] == "word":
                copied = own[key] == english[key]
                if copied and (tag, key) not in same:
                    problem(f"texts/{tag}.tsv: {key} is the English text {english[key]!r}; "
                            "translate it or list it in same_as_english.tsv")
                if not copied and (tag, key) in same:
                    problem(f"same_as_english.tsv: {tag} {key} is no longer the English text")
        texts[tag] = own
    return languages, ids, texts


def render(languages, ids, texts):
    out = ["<lang>", "\t<languages>"]
    for tag, eng_name, true_name in languages:
        out.append(f'\t\t<entry tagName="{escape_attr(tag)}" engName="{escape_attr(eng_name)}" '
                   f'trueName="{escape_attr(true_name)}"></entry>')
    out += ["\t</languages>", "\t<entries>"]
    for key, kind, where_shown, _ in ids:
        out.append(f'\t\t<entry id="{key}">{escape_text(where_shown)}')
        for tag, _, _ in languages:
            out.append(f"\t\t\t<{tag}>{escape_text(texts[tag][key])}</{tag}>")
        out.append("\t\t</entry>")
    out += ["\t</entries>", "</lang>"]
    return EOL.join(out) + EOL


def verify(document, languages, ids, texts):
    """Reads the table back with the dialect's rules and compares it with the sources."""
    head = re.search(r"<languages>(.*?)</languages>", document, re.S)
    found = re.findall(r'<entry tagName="([^"]*)" engName="([^"]*)" trueName="([^"]*)">',
                       head.group(1) if head else "")
    if [tuple(decode_attr(v) for v in f) for f in found] != languages:
        problem("table: the languages read back differ from languages.tsv")
    body = re.search(r"<entries>(.*)</entries>", document, re.S)
    entries = re.findall(r'<entry id="([^"]*)">[^<]*(.*?)</entry>', body.group(1) if body else "",
                         re.S)
    if [int(k) for k, _ in entries] != [i[0] for i in ids]:
        problem("table: the ids read back differ from ids.tsv")
        return
    for (key, inner), (number, _, _, _) in zip(entries, ids):
        children = re.findall(r"<([a-z]{3})>([^<]*)</\1>", inner)
        if [c[0] for c in children] != [l[0] for l in languages]:
            problem(f"table: entry {key} does not hold one element per language in table order")
            continue
        for tag, stored in children:
            if decode_text(stored) != texts[tag][number]:
                problem(f"table: {tag} {key} reads back as {decode_text(stored)!r}")


def check_escaping():
    """Texts this table does not hold yet must survive too: edge spaces, markup characters."""
    for text in (" Play", "Play ", "  ", "a & b", "<x>", "\"q\"", "&#160;", "tab\u3000inside"):
        if decode_text(escape_text(text)) != text:
            problem(f"escaping: {text!r} does not read back")
    for value in ('a "b" & <c>', "x&quot;"):
        if decode_attr(escape_attr(value)) != value:
            problem(f"escaping: attribute {value!r} does not read back")


def main(argv):
    check_only = argv[1:] == ["--check"]
    if argv[1:] and not check_only:
        print(__doc__[__doc__.index("usage:"):].strip(), file=sys.stderr)
        return 2
    check_escaping()
    languages, ids, texts = load_sources()
    if not problems:
        document = render(languages, ids, texts)
        verify(document, languages, ids, texts)
    if not problems:
        if check_only:
            try:
                with open(TABLE, encoding="utf-8", newline="") as f:
                    if f.read() != document:
                        problem(f"{TABLE} is out of date: run {sys.argv[0]}")
            except OSError as e:
                problem(f"{TABLE}: cannot read ({e.strerror})")
        else:
            os.makedirs(os.path.dirname(TABLE), exist_ok=True)
            with open(TABLE, "w", encoding="utf-8", newline="") as f:
                f.write(document)
    for p in problems:
        print(p, file=sys.stderr)
    if not problems:
        print(f"{len(languages)} languages, {len(ids)} texts: "
              + ("table is up to date" if check_only else f"wrote {TABLE}"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
