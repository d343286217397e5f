"""Validates qrv-check --json output against the report schema.

Usage: validate_report.py SCHEMA REPORT_FILE. The file holds one indented
report or JSON Lines. Says what is wrong on standard error and exits 1.
"""
import json
import sys

from jsonschema import Draft202012Validator


def no_duplicate_keys(pairs):
    keys = [key for key, _ in pairs]
    if len(keys) != len(set(keys)):
        raise ValueError("duplicate key in %s" % keys)
    return dict(pairs)


def reports(text):
    if text.startswith("{\n"):
        return [json.loads(text, object_pairs_hook=no_duplicate_keys)]
    if not text.endswith("\n"):
        raise ValueError("the last line has no line end")
    return [json.loads(line, object_pairs_hook=no_duplicate_keys) for line in text.split("\n")[:-1]]


def main(schema_path, report_path):
    with open(schema_path, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    Draft202012Validator.check_schema(schema)
    validator = Draft202012Validator(schema)
    with open(report_path, encoding="utf-8") as report_file:
        text = report_file.read()
    errors = [
        "report %d: %s at %s" % (number, error.message, "/".join(map(str, error.absolute_path)))
        for number, report in enumerate(reports(text), 1)
        for error in validator.iter_errors(report)
    ]
    for error in errors:
        print(error, file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
