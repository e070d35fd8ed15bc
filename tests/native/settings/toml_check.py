"""Independent check of a mirefall.toml written by the launcher.

Usage: toml_check.py FILE.toml EXPECTED.json

Parses FILE.toml with Python's own TOML parser (tomllib), prints the document as JSON and
compares every key of EXPECTED.json with it, value and type. Exit code 0 when all match,
1 on a difference or a parse error, 77 when this Python has no tomllib.
"""
import json
import sys

try:
    import tomllib
except ImportError:
    sys.exit(77)


def same(parsed, expected):
    if isinstance(expected, bool) or isinstance(parsed, bool):
        return type(parsed) is type(expected) and parsed == expected
    if isinstance(expected, (int, float)):
        return isinstance(parsed, (int, float)) and parsed == expected
    return type(parsed) is type(expected) and parsed == expected


def main():
    toml_path, expected_path = sys.argv[1], sys.argv[2]
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    try:
        with open(toml_path, "rb") as f:
            document = tomllib.load(f)
    except tomllib.TOMLDecodeError as error:
        print(f"not valid TOML: {error}")
        return 1
    print(json.dumps(document, ensure_ascii=True, indent=1))
    wrong = [key for key in expected if key not in document or not same(document[key], expected[key])]
    for key in wrong:
        print(f"{key}: expected {expected[key]!r}, parsed {document.get(key, '<missing>')!r}")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
