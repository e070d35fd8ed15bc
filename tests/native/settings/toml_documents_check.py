"""Independent check of what the launcher makes of valid TOML documents.

Usage: toml_documents_check.py FOLDER

FOLDER holds defaults.toml (the file the launcher writes for the default settings),
launcher_only.txt (the settings kept in launcher.ini, one a line) and, per case NAME,
NAME.before.toml (the document), NAME.saved.toml (after reading it and saving) and
NAME.repaired.toml (after start-up repair). Each file is parsed with Python's own TOML
parser (tomllib) and compared:

- saved: every game setting holds the document's top-level value, or its default when the
  document has none; game_data_root is "./assets"; launcher-only keys are gone; every other
  key and every table is exactly as in the document; nothing else is there.
- repaired: everything in the document is exactly as it was; every game setting the top
  level lacked is there with its default; nothing else is there.

Prints one line per difference. Exit code 0 when there is none, 1 otherwise, 77 when this
Python has no tomllib.
"""
import math
import pathlib
import sys

try:
    import tomllib
except ImportError:
    sys.exit(77)


def same(a, b):
    if isinstance(a, bool) or isinstance(b, bool):
        return type(a) is type(b) and a == b
    if isinstance(a, float) and isinstance(b, float) and math.isnan(a):
        return math.isnan(b)
    if isinstance(a, dict):
        return isinstance(b, dict) and a.keys() == b.keys() and all(same(a[k], b[k]) for k in a)
    if isinstance(a, list):
        return isinstance(b, list) and len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return type(a) is type(b) and a == b


def same_setting(default, expected, actual):
    # A Float setting written without a point in the document gains ".0" when saved.
    if isinstance(default, float) and isinstance(expected, int) and not isinstance(expected, bool):
        return isinstance(actual, float) and actual == expected
    return same(expected, actual)


def parse(path, problems):
    try:
        with open(path, "rb") as f:
            return tomllib.load(f)
    except tomllib.TOMLDecodeError as error:
        problems.append(f"{path.name}: not valid TOML: {error}")
        return None


def expect_keys(name, document, expected, defaults, problems):
    for key in expected.keys() | document.keys():
        if key not in document:
            problems.append(f"{name}: {key} is missing (expected {expected[key]!r})")
        elif key not in expected:
            problems.append(f"{name}: {key} = {document[key]!r} should not be there")
        elif not same_setting(defaults.get(key), expected[key], document[key]):
            problems.append(f"{name}: {key} = {document[key]!r}, expected {expected[key]!r}")


def check_case(folder, case, defaults, launcher_only, problems):
    before = parse(folder / f"{case}.before.toml", problems)
    saved = parse(folder / f"{case}.saved.toml", problems)
    repaired = parse(folder / f"{case}.repaired.toml", problems)
    if before is None or saved is None or repaired is None:
        return

    expected_saved = {k: v for k, v in before.items() if k not in launcher_only and k != "game_data_root"}
    for key, default in defaults.items():
        expected_saved.setdefault(key, default)
    expected_saved["game_data_root"] = "./assets"
    expect_keys(f"{case}.saved", saved, expected_saved, defaults, problems)

    expected_repaired = dict(before)
    for key, default in defaults.items():
        if key != "game_data_root":
            expected_repaired.setdefault(key, default)
    expect_keys(f"{case}.repaired", repaired, expected_repaired, {}, problems)


def main():
    folder = pathlib.Path(sys.argv[1])
    problems = []
    defaults = parse(folder / "defaults.toml", problems)
    if defaults is None:
        print(*problems, sep="\n")
        return 1
    del defaults["game_data_root"]
    launcher_only = set((folder / "launcher_only.txt").read_text(encoding="utf-8").split())
    cases = sorted(path.name[: -len(".before.toml")] for path in folder.glob("*.before.toml"))
    for case in cases:
        check_case(folder, case, defaults, launcher_only, problems)
    print(*problems, sep="\n")
    print(f"{len(cases)} documents checked, {len(problems)} differences")
    return 1 if problems or not cases else 0


if __name__ == "__main__":
    sys.exit(main())
