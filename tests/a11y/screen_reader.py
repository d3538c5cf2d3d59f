#!/usr/bin/python3
"""Reads the running program as a screen reader does, through AT-SPI.

Started by screen_reader.sh inside a D-Bus session and an X server: runs the
program on a copy of the bundled history with four windows open and checks
what the accessibility tree says of a grid, its headings and cells, the
prediction window's option groups and the ticket dialog's fields.
"""
import os
import subprocess
import sys
import time

import pyatspi

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def walk(node, keep, found):
    """The nodes under node that keep() keeps; a table's cells are read
    through its table interface, not walked one by one."""
    try:
        if keep(node):
            found.append(node)
        if node.getRole() == pyatspi.ROLE_TABLE:
            return found
        for child in node:
            if child is not None:
                walk(child, keep, found)
    except Exception:  # a node that went away while walked
        pass
    return found


def named(node, role, name=None):
    return walk(node, lambda o: o.getRoleName() == role and (name is None or o.name == name), [])


def wait_for(what, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.3)
    return None


def program(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def cell_text(cell):
    text = cell.queryText()
    return text.getText(0, text.characterCount)


def main():
    exe, db = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    windows = ["引っ張り分析", "出現頻度分析", "購入番号", "絞り込み", "ホイール"]
    args = [exe, "--db", db] + [a for w in windows for a in ("--open", w)]
    proc = subprocess.Popen(args, env=env)
    try:
        app = wait_for(lambda: program(proc.pid))
        check(app is not None, "the program is on the accessibility bus")
        if app is None:
            return
        tables = wait_for(lambda: named(app, "table", "引っ張り分析 表"))
        check(bool(tables), "a table named 「引っ張り分析 表」")
        if tables:
            table = tables[0].queryTable()
            heading = table.getColumnHeader(3)
            check(heading is not None and heading.name == "本 数 字",
                  "column 4's header reads 「本 数 字」 (the band over the main numbers): %r"
                  % (heading and heading.name))
            check(table.getColumnHeader(0).name == "回数", "column 1's header reads 「回数」")
            cell = table.getAccessibleAt(1, 3)
            check(cell.name == "12" and cell_text(cell) == "12",
                  "draw 1's fourth number reads 12 by name and by its text: %r / %r"
                  % (cell.name, cell_text(cell)))
            check(table.getRowHeader(1).name == "1", "row 2's header reads the draw number 1")
        charts = wait_for(lambda: named(app, "table", "出現頻度分析 表"))
        check(bool(charts), "a table named 「出現頻度分析 表」")
        if charts:
            chart = charts[0].queryTable()
            meanings = set()
            for row in range(2, 5):
                for column in range(1, chart.nColumns):
                    mark = chart.getAccessibleAt(row, column)
                    if mark.name == "●":
                        meanings.add(mark.description)
            check({"本数字", "ボーナス数字1", "ボーナス数字2"} <= meanings,
                  "marks tell main and bonus numbers apart in their descriptions: %r"
                  % sorted(meanings))
        groups = [g.name for g in named(app, "panel") if g.name.startswith("■")]
        check(len(groups) == 12 and len(set(groups)) == 12,
              "the twelve option groups have twelve names: %r" % groups[:3])
        scope = named(app, "combo box")
        labels = [[r.getTarget(i).name for i in range(r.getNTargets())]
                  for c in scope for r in c.getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
        check(["集計："] in labels, "集計's choice is labelled by 「集計：」: %r" % labels)
        check(bool(named(app, "spin button", "集計する回")), "集計's spin box is 「集計する回」")
        fields = [f.name for f in named(app, "text")]
        check("本数字合計" in fields and "4分割の範囲ごとの個数 01～09" in fields,
              "絞り込み's fields are named by their filters: %r" % fields[:4])
        spins = [f.name for f in named(app, "spin button")]
        check("保証：少なくとも1枚が一致する個数" in spins and "残る組合せから作る口数" in spins,
              "the spin boxes inside sentences say which number they are: %r" % spins)
        add = [b for b in named(app, "push button") if b.name == "追加..."]
        check(bool(add), "購入番号 has 「追加...」")
        if add:
            add[0].queryAction().doAction(0)
            dialogs = wait_for(lambda: named(app, "dialog", "購入番号の追加"), 20)
            check(bool(dialogs), "「追加...」 opens the dialog 「購入番号の追加」")
            if dialogs:
                fields = [f.name for f in named(dialogs[0], "text")]
                wanted = ["購入する回："] + ["第%d数字" % n for n in range(1, 8)]
                check(all(w in fields for w in wanted),
                      "the dialog's fields are named: %r" % fields)
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)


if __name__ == "__main__":
    main()
