#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the figures of Lighthouse's JSON reports, each run's and the median.

    report.py WASM_GZIP_BYTES RUN.json...
"""
import json
import statistics
import sys

CATEGORIES = ("accessibility", "best-practices", "performance", "seo")


def figures(report):
    score = {c: round(100 * (report["categories"][c]["score"] or 0)) for c in CATEGORIES}
    tbt = report["audits"]["total-blocking-time"]["numericValue"]
    # The audits that cost points (weighted, short of a full score).
    short = sorted({ref["id"] for c in CATEGORIES for ref in report["categories"][c]["auditRefs"]
                    if ref.get("weight") and (report["audits"][ref["id"]]["score"] or 0) < 1
                    and report["audits"][ref["id"]]["scoreDisplayMode"] in ("binary", "numeric")})
    return [score[c] for c in CATEGORIES] + [tbt], short


def line(values):
    a11y, practices, performance, seo, tbt = values
    return (f"accessibility {a11y:g}, best practices {practices:g}, performance {performance:g}, "
            f"SEO {seo:g}, total blocking time {tbt:.0f} ms")


def main():
    wasm_gzip = int(sys.argv[1])
    rows = []
    for number, path in enumerate(sys.argv[2:], 1):
        with open(path, encoding="utf-8") as f:
            values, short = figures(json.load(f))
        rows.append(values)
        print(f"run {number}: {line(values)}" + (f" (short: {', '.join(short)})" if short else ""))
    median = [statistics.median(column) for column in zip(*rows)]
    print(f"median of {len(rows)}: {line(median)}; program {wasm_gzip} bytes compressed "
          f"({wasm_gzip / 1024:.1f} KB)")


if __name__ == "__main__":
    main()
