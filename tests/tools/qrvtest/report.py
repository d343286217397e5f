"""qrv-check's JSON report read back.

  python3 -m qrvtest.report LABEL... <REPORT.json
      prints the result window's labels of that name, one line, blank-separated
"""
import json
import sys


def labels(report):
    """The result window's labels of a report (its text or a file)."""
    data = json.loads(report) if isinstance(report, (str, bytes)) else json.load(report)
    return data["window"]["labels"]


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    shown = labels(sys.stdin)
    print(" ".join(shown[name] for name in sys.argv[1:]))
