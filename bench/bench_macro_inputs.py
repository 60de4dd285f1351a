#!/usr/bin/env python3
"""Writes the macros whose compile memory docs/benchmarks.md lists, into the folder given.

    python3 bench/bench_macro_inputs.py /tmp/m
    /usr/bin/time -v build/orvel-batch --max-steps 1 /tmp/m/data.txt /tmp/m/rec10.ovm

--max-steps 1 stops the run at once, so the figure is the compiler's (with the text read).
"""
import os
import sys

LINES = ['cell (1,%d)="12.5";\r\n', 'selectcell (1,%d)::(3,4);\r\n', '#i=#i+%d*2;\r\n', 'setxvalue (%d);\r\n',
         'if (#i>%d) {#j=#j+1;} else {#j=#j-1;}\r\n', 'message("row %d done");\r\n']


def recorded(size):
    out, n, k = [], 0, 0
    while n < size:
        line = LINES[k % len(LINES)] % (k % 500)
        out.append(line)
        n += len(line)
        k += 1
    return ''.join(out)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    hundred = 100_000_000
    files = {
        'rec10': recorded(10_000_000),                      # a recording's statements, 10 MB
        'rec100': recorded(hundred),                        # the same, 100 MB
        'nest': 'if(1){' * 1_000_000 + '}' * 1_000_000,     # a million nested blocks
        'inc100': '#a=#a+1;' * (hundred // 8),              # dense short statements
        'unk100': 'xy;' * (hundred // 3),                   # one mistake repeated
        'expr100': '#a=' + '1+' * (hundred // 2) + '1;',    # one statement of 100 MB
    }
    for name, text in files.items():
        with open(os.path.join(folder, name + '.ovm'), 'w', newline='') as f:
            f.write(text)
    with open(os.path.join(folder, 'data.txt'), 'w', newline='') as f:
        f.write('1\t2\n3\t4\n')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
