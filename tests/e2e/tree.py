"""Reads the screen's accessibility tree that the device's `tree` action
writes, as a screen reader gets it.

tree.py has FILE NAME [VALUE]   exits 0 when an element is named NAME (and
                                its value holds VALUE), else 1
tree.py holds FILE TEXT         exits 0 when an element's name holds TEXT, else 1
tree.py value FILE NAME         prints the value of the first element named NAME
tree.py names FILE              prints every element's name and value
Digits are compared in any of their shapes (Western, Arabic-Indic, Persian)."""
import json
import sys

SHAPES = str.maketrans("٠١٢٣٤٥٦٧٨٩۰۱۲۳۴۵۶۷۸۹", "01234567890123456789")


def norm(text):
    return text.translate(SHAPES)


def elements(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)["elements"]


def main(what, path, *args):
    found = elements(path)
    if what == "names":
        for e in found:
            print(f"{e['role']}\t{e['name']}\t{e['value']}")
        return 0
    if what == "holds":
        text = norm(args[0])
        return 0 if any(text in norm(e["name"]) for e in found) else 1
    name = norm(args[0])
    named = [e for e in found if norm(e["name"]) == name]
    if what == "value":
        if not named:
            return 1
        print(named[0]["value"])
        return 0
    if what == "has":
        value = norm(args[1]) if len(args) > 1 else None
        return 0 if any(value is None or value in norm(e["value"]) for e in named) else 1
    return 2


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
