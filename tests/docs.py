#!/usr/bin/python3
"""The documents hold to the sources: docs.py ROOT BUILD PAGE. Every input in the one table of
them (editing/inputs.tsv) and what it does must stand word for word in the README's table, the
built manual page and AppStream entry (in BUILD) and the built page's help (PAGE), each read as
plain words; every relative link in README.md and docs/*.md must lead to a file that is there
and, with a #, to one of its headings."""
import glob, html, os, re, sys

root, build, page = sys.argv[1:4]


def words(text):  # no tags, troff requests, table bars or code marks; lower case, single spaces
    text = re.sub(r"<[^>]+>|^\.[A-Z]+\b|[|`:]", " ", html.unescape(text), flags=re.M).lower()
    return re.sub(r" ([,.;])", r"\1", " ".join(text.split()))


def headings(path):  # the ids GitHub gives a Markdown file's headings
    return {re.sub(r"[^\w\- ]", "", h.strip().lower()).replace(" ", "-")
            for h in re.findall(r"(?m)^#+ (.+)$", open(path).read())}


rows = [words(line.replace("\t", " ")) for line in open(f"{root}/editing/inputs.tsv")
        if "\t" in line and not line.startswith("#")]
failed = []
for path in (f"{root}/README.md", f"{build}/data/polyhull.1", page,
             f"{build}/data/org.polyhull.polyhull.metainfo.xml"):
    text = words(open(path).read())
    failed += [f"{path} does not say: {row}" for row in rows if row not in text]
for doc in [f"{root}/README.md"] + glob.glob(f"{root}/docs/*.md"):
    for target in re.findall(r"\]\(([^)\s]+)\)", open(doc).read()):
        file, _, anchor = target.partition("#")
        path = os.path.normpath(os.path.join(os.path.dirname(doc), file)) if file else doc
        if not re.match(r"[a-z]+:", target) and not (
                os.path.exists(path) and (not anchor or anchor in headings(path))):
            failed.append(f"{doc}: the link {target} leads nowhere")
if failed or len(rows) < 11:
    sys.exit("\n".join(failed) or "the table of inputs lost rows")
