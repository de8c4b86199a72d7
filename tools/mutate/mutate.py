#!/usr/bin/env python3
"""Mutation run over the game logic.

Applies one small fault at a time to the logic (src/ outside src/shell/),
runs the logic tests against it and reports the faults the tests did not
notice. The faults:

  relational    <  <=  >  >=  ==  != each turned into its neighbour
  logical       && and || swapped, a ! removed, true and false swapped
  arithmetic    + and - swapped, * and / swapped, % made /, ++ and -- swapped,
                += -= *= /= turned round
  constant      an integer literal raised by one (tables and code alike)
  swap          two neighbours in a list of enumerators swapped (a strip cell)
  view call     a statement that calls the view removed
  checked step  a checked::add/sub/mul/assign statement removed
  statement     any other assignment or call statement removed

The working tree is never touched: the sources are copied to build/mutate/tree
and mutated there, with their own build in build/mutate/build (the logic and
its tests only, no Qt, warnings not errors, static assertions left out).

Rebuilding the tests once per fault takes too long, so every file is built
once with all its faults in it, each behind a switch that the environment
variable VELMORAN_MUTANT turns on at run time ("mutant schemata"): a fault is
then one run of the tests. A fault that cannot be written that way (an enum
value, a case label, a constant a template needs) is applied on its own and
the tests rebuilt for it, and so is a switched fault inside a constexpr
function that survives: the compiler may have run that function with the
switch off, in a table's constant initialisation. Faults that do not compile on their own are
reported as stillborn and left out of the score, as are the equivalent
faults listed in equivalent.txt beside this script.

The tests run with --gtest_fail_fast, the ones that killed earlier faults of
the same file first, as many faults at once as --jobs; a fault whose tests
outlast a timeout of several times the unmutated run counts as killed. The
exhaustive tests run only for faults of the reels that the others miss.

  mutate.py                      every mutant of the logic
  mutate.py src/reels src/core   the mutants of some folders or files
  mutate.py --sample 60 --seed 1 --budget-seconds 300 --threshold 90
                                 a seeded sample, bounded in time, failing
                                 below the threshold (for CI)
  mutate.py --rerun-survivors    only the survivors of the last run again;
                                 the other verdicts are carried over while
                                 their file is unchanged
  mutate.py --report             the stored verdicts, scored again with the
                                 equivalent list as it is now
  mutate.py --list               the mutants, without running anything
"""

from __future__ import annotations

import argparse
import dataclasses
import fcntl
import hashlib
import io
import json
import os
import random
import re
import subprocess
import sys
import tarfile
import threading
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
HERE = Path(__file__).resolve().parent
SCRATCH = Path(os.environ.get("VELMORAN_MUTATE_DIR", ROOT / "build" / "mutate")).resolve()
TREE = SCRATCH / "tree"
BUILD = SCRATCH / "build"
RESULTS = SCRATCH / "results.json"
SWITCH_HEADER = SCRATCH / "velmoran_mutant.h"
EQUIVALENT = HERE / "equivalent.txt"

# The scratch tree is the whole source tree but these.
NOT_COPIED = {".git", "build"}
LOGIC = "src/"
EXCLUDED_PREFIXES = ("src/shell/",)
TEST_TARGET = "velmoran_tests"
TEST_BINARY = BUILD / "tests" / "velmoran_tests"
# Tests with this in their name run after the others, only for mutants the
# others did not kill, and only for the files they are about (everywhere else
# the quick tests' sampled comparisons stand in for them, so that a fault
# there is never counted as killed by them).
SLOW_TESTS = "*Exhaustive*"
SLOW_TESTS_FOR = ("src/reels/",)
SWITCH = "VELMORAN_MUTANT"

CONFIGURE = [
    "-G", "Ninja",
    # Little optimisation: a file is compiled a few times and its tests run
    # many times. Assertions stay on, so an index out of range stops a test.
    "-DCMAKE_BUILD_TYPE=None",
    f"-DCMAKE_CXX_FLAGS=-O1 -g0 -include {SWITCH_HEADER}",
    "-DVELMORAN_WITH_QT=OFF",
    "-DVELMORAN_BENCH=OFF",
    "-DVELMORAN_FUZZ=OFF",
    "-DVELMORAN_SANITIZE=OFF",
]

SWITCH_CODE = """\
#pragma once
// Mutant switches: VELMORAN_MUTANT names the one fault that is on. (Only in
// C++20: CMake's first compiler check builds without the project's standard.)
#if __cplusplus >= 202002L
#include <cstdlib>
#include <type_traits>
namespace velmoran_mut {
inline int active() noexcept {
    static const int id = [] {
        const char* e = std::getenv("VELMORAN_MUTANT");
        return e != nullptr ? std::atoi(e) : 0;
    }();
    return id;
}
// The switch everywhere but in constexpr functions: never a constant, so a
// variable it initialises is initialised when the program starts.
inline bool hit(int id) noexcept { return active() == id; }
// The switch inside constexpr functions; constant evaluation sees no fault.
constexpr bool on(int id) noexcept { return !std::is_constant_evaluated() && active() == id; }
// A literal in a braced list: converts to exactly the type it initialises.
template <long long Old, long long New>
struct Lit {
    int id;
    template <class T>
    operator T() const noexcept { return static_cast<T>(hit(id) ? New : Old); }
};
template <long long Old, long long New>
struct LitC {
    int id;
    template <class T>
    constexpr operator T() const noexcept { return static_cast<T>(on(id) ? New : Old); }
};
}  // namespace velmoran_mut
#endif
"""


# --------------------------------------------------------------------------
# Reading C++ well enough to mutate it


def blank_noncode(text: str) -> str:
    """The text with comments, the insides of string and character literals
    and preprocessor lines replaced by blanks, every offset kept."""
    out = list(text)
    i, n = 0, len(text)

    def blank(a: int, b: int) -> None:
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    at_line_start = True
    while i < n:
        c = text[i]
        if at_line_start and c in " \t":
            i += 1
            continue
        if at_line_start and c == "#":
            j = i
            while j < n:
                e = text.find("\n", j)
                if e == -1:
                    e = n
                if e > 0 and text[e - 1] == "\\":
                    j = e + 1
                    continue
                j = e
                break
            blank(i, j)
            i = j
            continue
        at_line_start = False
        if c == "\n":
            at_line_start = True
            i += 1
        elif text.startswith("//", i):
            e = text.find("\n", i)
            e = n if e == -1 else e
            blank(i, e)
            i = e
        elif text.startswith("/*", i):
            e = text.find("*/", i + 2)
            e = n if e == -1 else e + 2
            blank(i, e)
            i = e
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.match(r'R"([^()\\ ]{0,16})\(', text[i:])
            if not m:
                i += 1
                continue
            close = ")" + m.group(1) + '"'
            e = text.find(close, i + m.end())
            e = n if e == -1 else e + len(close)
            blank(i + 2, e - 1)
            i = e
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():
                i += 1  # a digit separator
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, min(j, n))
            i = j + 1
        else:
            i += 1
    return "".join(out)


TOKEN = re.compile(
    r"""
    (?P<num>0[xX][0-9a-fA-F']+[uUlL]*
        |\d[\d']*\.\d*(?:[eE][+-]?\d+)?[fFlL]?
        |\.\d+(?:[eE][+-]?\d+)?[fFlL]?
        |\d[\d']*[eE][+-]?\d+[fFlL]?
        |\d[\d']*[uUlL]*)
    |(?P<str>(?:u8|u|U|L)?"[^"\n]*"|(?:u8|u|U|L)?'[^'\n]*')
    |(?P<id>[A-Za-z_]\w*)
    |(?P<op><=>|<<=|>>=|->\*|->|\+\+|--|<<|>>|<=|>=|==|!=|&&|\|\||\+=|-=|\*=|/=|%=|&=|\|=|\^=|::|\.\.\.
        |[-+*/%<>=!&|^~?:;,.(){}\[\]])
    |(?P<ws>\s+)
    |(?P<other>.)
    """,
    re.X | re.S,
)

KEYWORDS = {
    "alignas", "alignof", "auto", "bool", "break", "case", "catch", "char", "char8_t", "char16_t", "char32_t",
    "class", "concept", "const", "consteval", "constexpr", "constinit", "const_cast", "continue", "co_await",
    "decltype", "default", "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export",
    "extern", "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace",
    "new", "noexcept", "nullptr", "operator", "private", "protected", "public", "register", "reinterpret_cast",
    "requires", "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast", "struct",
    "switch", "template", "this", "throw", "true", "try", "typedef", "typeid", "typename", "union", "unsigned",
    "using", "virtual", "void", "volatile", "while",
}
VALUE_KEYWORDS = {"this", "true", "false", "nullptr"}
BUILTIN_TYPES = {"auto", "bool", "char", "char32_t", "double", "float", "int", "long", "short", "unsigned", "void", "T"}
CONTROL = {"if", "for", "while", "switch"}
CHECKED_STEPS = {"add", "sub", "mul", "assign"}
ASSIGN_OPS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}
BIN_PREC = {
    "*": 13, "/": 13, "%": 13, "+": 12, "-": 12, "<<": 11, ">>": 11, "<=>": 10,
    "<": 9, "<=": 9, ">": 9, ">=": 9, "==": 8, "!=": 8, "&": 7, "^": 6, "|": 5, "&&": 4, "||": 3,
}
PREFIX_OPS = {"!", "-", "+", "~", "*", "&", "++", "--"}


@dataclasses.dataclass
class Tok:
    kind: str
    text: str
    start: int
    end: int


def tokenize(code: str) -> list[Tok]:
    return [Tok(m.lastgroup, m.group(), m.start(), m.end()) for m in TOKEN.finditer(code) if m.lastgroup != "ws"]


def is_typeish(t: Tok) -> bool:
    if t.kind != "id":
        return False
    if t.text in BUILTIN_TYPES or t.text.endswith("_t"):
        return True
    # Class names start with a capital; constants are kSomething.
    return t.text[0].isupper() and not re.match(r"k[A-Z0-9]", t.text) and not t.text.isupper()


class Source:
    """One file, tokenised, with its brackets matched."""

    def __init__(self, text: str):
        self.text = text
        self.code = blank_noncode(text)
        self.toks = tokenize(self.code)
        self.templ = self._template_brackets()
        self.match: dict[int, int] = {}
        self.unmatched: set[int] = set()
        self._match_brackets()
        self.control_close = self._control_closes()
        self.list_brace: dict[int, bool] = {}
        self.enum_brace: set[int] = set()
        self._classify_braces()
        self.constexpr_vars = self._constexpr_variables()
        self.constexpr_bodies = self._constexpr_function_bodies()
        self.line_starts = [0] + [m.end() for m in re.finditer("\n", text)]

    # --- brackets

    def _template_brackets(self) -> set[int]:
        toks = self.toks
        marked: set[int] = set()
        for i, t in enumerate(toks):
            if t.text != "<" or i == 0:
                continue
            prev = toks[i - 1]
            if prev.kind != "id" or prev.text == "operator":
                continue
            depth, paren, j, ok = 1, 0, i + 1, False
            inner: list[int] = []
            while j < len(toks):
                x = toks[j].text
                if x in (";", "{", "}", "&&", "||", "==", "!=", "<=", ">=", "=", "?", "."):
                    if not (x == "." and paren > 0):
                        break
                if x == "(":
                    paren += 1
                elif x == ")":
                    if paren == 0:
                        break
                    paren -= 1
                elif x == "<" and paren == 0:
                    depth += 1
                    inner.append(j)
                elif x in (">", ">>") and paren == 0:
                    depth -= 1 if x == ">" else 2
                    inner.append(j)
                    if depth <= 0:
                        ok = True
                        break
                j += 1
            if ok:
                marked.add(i)
                marked.update(inner)
        return marked

    def _match_brackets(self) -> None:
        stack: list[int] = []
        pairs = {")": "(", "]": "[", "}": "{"}
        for i, t in enumerate(self.toks):
            x = t.text
            if x in ("(", "[", "{") or (x == "<" and i in self.templ):
                stack.append(i)
            elif x in pairs or (x in (">", ">>") and i in self.templ):
                want = pairs.get(x, "<")
                for _ in range(2 if x == ">>" else 1):
                    if stack and self.toks[stack[-1]].text == want:
                        j = stack.pop()
                        self.match[i] = j
                        self.match[j] = i
                    else:
                        self.unmatched.add(i)
        self.unmatched.update(stack)

    def _control_closes(self) -> set[int]:
        closes = set()
        for i, t in enumerate(self.toks):
            if t.text == "(" and i > 0 and self.toks[i - 1].text in CONTROL and i in self.match:
                closes.add(self.match[i])
        return closes

    def _classify_braces(self) -> None:
        toks = self.toks
        for i, t in enumerate(toks):
            if t.text != "{":
                continue
            p = toks[i - 1] if i > 0 else None
            is_list = False
            if p is None:
                is_list = False
            elif p.text in ("=", "(", ",", "return", "?", "[", "<"):
                is_list = True
            elif p.text == "{":
                is_list = self.list_brace.get(i - 1, False)
            elif p.kind == "id" and p.text not in KEYWORDS or p.text == ">":
                # A name before the brace: an initialiser, unless it names
                # a class, an enum or a namespace being defined.
                is_list = True
                for k in range(i - 1, max(-1, i - 14), -1):
                    x = toks[k].text
                    if x in ("struct", "class", "union", "enum", "namespace"):
                        is_list = False
                        if x == "enum":
                            self.enum_brace.add(i)
                        break
                    if x in (";", "{", "}", "(", ")", "=", ","):
                        break
            self.list_brace[i] = is_list

    def _constexpr_variables(self) -> list[tuple[int, int, bool]]:
        """The constexpr variables: the keyword's token, the token that ends
        the declaration, and whether it is a single constant of a built-in
        type (which a template argument or an array size may need)."""
        toks, out = self.toks, []
        for i, t in enumerate(toks):
            if t.text != "constexpr" or (i > 0 and toks[i - 1].text == "if"):
                continue
            j, function = i + 1, False
            while j < len(toks):
                x = toks[j].text
                if x == "<" and j in self.templ and j in self.match:
                    j = self.match[j] + 1
                    continue
                if x == "(":
                    function = True
                    break
                if x in ("=", "{", ";"):
                    break
                j += 1
            if function or j >= len(toks):
                continue
            k = j
            while k < len(toks) and toks[k].text != ";":
                if toks[k].text in ("{", "(", "[") and k in self.match:
                    k = self.match[k] + 1
                    continue
                k += 1
            scalar = toks[j].text == "=" and not any(toks[m].text == "{" for m in range(j, k)) and not any(
                toks[m].kind == "id" and (toks[m].text in ("array", "auto") or toks[m].text[0].isupper())
                for m in range(i + 1, j))
            out.append((i, k, scalar))
        return out

    def _constexpr_function_bodies(self) -> list[tuple[int, int]]:
        """The bodies ({ to }) of the constexpr functions."""
        toks, out = self.toks, []
        for i, t in enumerate(toks):
            if t.text != "constexpr" or (i > 0 and toks[i - 1].text == "if"):
                continue
            j = i + 1
            while j < len(toks) and toks[j].text not in ("(", "=", "{", ";"):
                if toks[j].text == "<" and j in self.templ and j in self.match:
                    j = self.match[j]
                j += 1
            if j >= len(toks) or toks[j].text != "(" or j not in self.match:
                continue
            j = self.match[j] + 1
            # Qualifiers, a trailing return type or a member initialiser list.
            while j < len(toks) and toks[j].text not in ("{", ";"):
                if toks[j].text in ("(", "[") and j in self.match:
                    j = self.match[j]
                elif toks[j].text == "{" and j in self.match and toks[j - 1].kind == "id" and toks[j - 2].text in (
                        ":", ","):
                    j = self.match[j]
                j += 1
            if j < len(toks) and toks[j].text == "{" and j in self.match:
                out.append((j, self.match[j]))
        return out

    def in_constexpr_function(self, i: int) -> bool:
        return any(a < i < b for a, b in self.constexpr_bodies)

    # --- lines

    def line_of(self, pos: int) -> int:
        lo, hi = 0, len(self.line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if self.line_starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1

    def line_text(self, line: int) -> str:
        a = self.line_starts[line - 1]
        b = self.text.find("\n", a)
        return self.text[a : (len(self.text) if b == -1 else b)]

    # --- expressions

    def value_end(self, j: int) -> bool:
        """Whether token j can end an operand (so that the next token is in
        a binary position)."""
        if j < 0:
            return False
        t = self.toks[j]
        if t.kind in ("num", "str"):
            return True
        if t.kind == "id":
            return t.text not in KEYWORDS or t.text in VALUE_KEYWORDS
        if t.text == ")":
            return j not in self.control_close
        if t.text in ("]", "++", "--"):
            return True
        if t.text in (">", ">>") and j in self.templ:
            return True
        return False

    def region(self, i: int) -> tuple[int, int]:
        """The tokens [a, b) of the expression around token i: up to the
        nearest bracket, separator or assignment that is not inside it."""
        toks, n = self.toks, len(self.toks)
        stops = {";", ",", "?", ":"} | ASSIGN_OPS
        # What an assignment stores runs on over a conditional:
        # "at += bad ? 1 : size" adds the whole conditional.
        right_stops = {";", ","} if toks[i].text in ASSIGN_OPS else stops
        leading = {"return", "case", "else", "do", "throw", "const", "constexpr", "auto", "static", "inline"}
        j = i - 1
        while j >= 0:
            t = toks[j]
            x = t.text
            if j in self.control_close:
                break
            if (x in (")", "]") or (x in (">", ">>") and j in self.templ)) and j in self.match:
                j = self.match[j] - 1
                continue
            if x == "}" and j in self.match and self.list_brace.get(self.match[j], False):
                j = self.match[j] - 1
                continue
            if x in ("(", "[", "{", "}", ")", "]") or (x == "<" and j in self.templ) or x in stops:
                break
            if t.kind == "id" and x in leading:
                break
            j -= 1
        a = j + 1
        j = i + 1
        while j < n:
            t = toks[j]
            x = t.text
            if (x in ("(", "[") or (x == "<" and j in self.templ)) and j in self.match:
                j = self.match[j] + 1
                continue
            if x == "{" and j in self.match and self.list_brace.get(j, False):
                j = self.match[j] + 1
                continue
            if x in (")", "]", "{", "}") or (x in (">", ">>") and j in self.templ) or x in right_stops:
                break
            j += 1
        return a, j

    def parse(self, a: int, b: int) -> dict[int, tuple[int, int]] | None:
        """Operand extents of the operators in tokens [a, b): for a binary
        operator its whole expression [left start, right end), for a prefix
        or postfix operator its operand. None when the tokens are not one
        expression this reader understands."""
        toks = self.toks
        spans: dict[int, tuple[int, int]] = {}

        class Fail(Exception):
            pass

        def need(j: int) -> None:
            if j >= b:
                raise Fail()

        def skip(j: int) -> int:
            k = self.match.get(j)
            if k is None or k >= b:
                raise Fail()
            return k + 1

        def primary(j: int) -> int:
            need(j)
            t = toks[j]
            x = t.text
            if x == "(":
                j = skip(j)
            elif x == "[":  # a lambda
                j = skip(j)
                if j < b and toks[j].text == "(":
                    j = skip(j)
                while j < b and toks[j].text in ("mutable", "noexcept", "constexpr"):
                    j += 1
                if j < b and toks[j].text == "->":
                    j += 1
                    while j < b and toks[j].text != "{":
                        j += 1
                need(j)
                if toks[j].text != "{":
                    raise Fail()
                j = skip(j)
            elif x == "{":
                j = skip(j)
            elif t.kind == "num":
                j += 1
            elif t.kind == "str":
                while j < b and toks[j].kind == "str":
                    j += 1
            elif t.kind == "id" or x == "::":
                if t.kind == "id" and x in KEYWORDS and x not in VALUE_KEYWORDS and x not in (
                        "static_cast", "const_cast", "reinterpret_cast", "sizeof", "alignof", "decltype", "noexcept",
                        "operator"):
                    raise Fail()
                j += 1
                while j < b:
                    y = toks[j].text
                    if y == "<" and j in self.templ:
                        j = skip(j)
                    elif y == "::" and j + 1 < b and toks[j + 1].kind == "id":
                        j += 2
                    else:
                        break
            else:
                raise Fail()
            start = j
            while j < b:
                y = toks[j].text
                if y in ("(", "["):
                    j = skip(j)
                elif y == "{" and self.list_brace.get(j, False):
                    j = skip(j)
                elif y in (".", "->") and j + 1 < b and toks[j + 1].kind == "id":
                    j += 2
                    while j < b:
                        z = toks[j].text
                        if z == "<" and j in self.templ:
                            j = skip(j)
                        elif z == "::" and j + 1 < b and toks[j + 1].kind == "id":
                            j += 2
                        else:
                            break
                elif y in ("++", "--"):
                    spans[j] = (first_of_primary, j)
                    j += 1
                else:
                    break
            del start
            return j

        def unary(j: int) -> int:
            nonlocal first_of_primary
            need(j)
            x = toks[j].text
            if x in PREFIX_OPS:
                k = unary(j + 1)
                spans[j] = (j + 1, k)
                return k
            first_of_primary = j
            return primary(j)

        first_of_primary = a

        def expr(j: int, min_prec: int) -> int:
            start = j
            j = unary(j)
            while j < b:
                x = toks[j].text
                if x in ASSIGN_OPS and min_prec <= 2:
                    op = j
                    j = expr(op + 1, 2)  # assignments group to the right
                    spans[op] = (start, j)
                    continue
                if x == "?" and min_prec <= 2:
                    # A conditional: binds looser than ||, its branches
                    # group to the right like an assignment.
                    j = expr(j + 1, 0)
                    if j >= b or toks[j].text != ":":
                        raise Fail()
                    j = expr(j + 1, 2)
                    continue
                if x not in BIN_PREC or j in self.templ:
                    break
                p = BIN_PREC[x]
                if p < min_prec:
                    break
                op = j
                j = expr(op + 1, p + 1)
                spans[op] = (start, j)
            return j

        try:
            end = expr(a, 0)
        except (Fail, RecursionError):
            return None
        if end != b:
            return None
        return spans


# --------------------------------------------------------------------------
# Mutants


@dataclasses.dataclass
class Mutant:
    file: str
    line: int
    start: int  # characters of the original text replaced
    end: int
    replacement: str
    kind: str
    desc: str
    snippet: str  # the original line, stripped
    form: str = ""  # how the switched build writes it
    tok: int = -1  # its token (the operator, the literal, the statement's first)
    tok_end: int = -1  # the statement's last token; for a swap, the second element
    swap: list = dataclasses.field(default_factory=list)  # token ranges of the two swapped elements
    before: str = ""  # the line before, stripped: the equivalent list may name it to tell lines apart

    @property
    def key(self) -> str:
        return f"{self.file}:{self.start}:{self.end}:{self.replacement}"


REPLACE = {
    "<": ("relational", "<="), "<=": ("relational", "<"), ">": ("relational", ">="), ">=": ("relational", ">"),
    "==": ("relational", "!="), "!=": ("relational", "=="),
    "&&": ("logical", "||"), "||": ("logical", "&&"),
    "+=": ("arithmetic", "-="), "-=": ("arithmetic", "+="), "*=": ("arithmetic", "/="), "/=": ("arithmetic", "*="),
    "++": ("arithmetic", "--"), "--": ("arithmetic", "++"),
}
BINARY = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "/"}


def raise_literal(text: str) -> str | None:
    m = re.fullmatch(r"(0[xX])([0-9a-fA-F]+)([uUlL]*)|(\d+)([uUlL]*)", text)
    if not m:
        return None
    if m.group(1):
        digits = m.group(2)
        value = int(digits, 16) + 1
        new = format(value, "x" if any(ch.islower() for ch in digits) else "X")
        return m.group(1) + new.rjust(len(digits), "0") + m.group(3)
    if len(m.group(4)) > 1 and m.group(4).startswith("0"):
        return None  # octal
    return str(int(m.group(4)) + 1) + m.group(5)


def statement_starts(src: Source) -> set[int]:
    toks = src.toks
    starts: set[int] = set()
    depth = 0
    for i, t in enumerate(toks):
        if t.text == "(":
            depth += 1
        elif t.text == ")":
            depth = max(0, depth - 1)
        if i == 0 or depth > 0:
            continue
        prev = toks[i - 1]
        if prev.text in (";", "{", "}", "else", "do") or i - 1 in src.control_close:
            starts.add(i)
        elif prev.text == ":":
            for k in range(i - 2, max(-1, i - 12), -1):
                if toks[k].text in ("case", "default"):
                    starts.add(i)
                    break
                if toks[k].text in (";", "{", "}"):
                    break
    return starts


def statement_end(toks: list[Tok], i: int) -> int | None:
    """Index of the ; that ends the statement starting at i, or None when a
    brace comes first (a declaration with a body, an initialiser list)."""
    depth = 0
    for j in range(i, len(toks)):
        x = toks[j].text
        if x in ("(", "["):
            depth += 1
        elif x in (")", "]"):
            depth -= 1
            if depth < 0:
                return None
        elif x in ("{", "}") and depth == 0:
            return None
        elif x == ";" and depth == 0:
            return j
    return None


def statement_kind(toks: list[Tok], i: int, end: int) -> str | None:
    """What kind of removable statement toks[i:end] is, or None."""
    seq = [t.text for t in toks[i:end]]
    if not seq or "delete" in seq or "default" in seq:
        return None
    if seq[:2] in (["view_", "."], ["view", "."]) or seq[:5] in (["m", ".", "view", "(", ")"], ["m_", ".", "view", "(", ")"]):
        return "view call"
    if len(seq) >= 4 and seq[0] == "checked" and seq[1] == "::" and seq[2] in CHECKED_STEPS and seq[3] == "(":
        return "checked step"
    k = 0
    if seq[0] in ("++", "--", "*"):
        k = 1
    if k >= len(seq) or toks[i + k].kind != "id" or seq[k] in KEYWORDS:
        return None
    # An identifier chain, with calls and subscripts, then an assignment or
    # the end of a call.
    j = k + 1
    while j < len(seq):
        x = seq[j]
        if x in (".", "->", "::") and j + 1 < len(seq) and toks[i + j + 1].kind == "id":
            j += 2
        elif x in ("(", "["):
            depth = 0
            while j < len(seq):
                if seq[j] in ("(", "["):
                    depth += 1
                elif seq[j] in (")", "]"):
                    depth -= 1
                    if depth == 0:
                        break
                j += 1
            j += 1
        else:
            break
    if j == len(seq):
        return "statement" if seq[j - 1] == ")" or k == 1 else None
    if seq[j] in ("=", "+=", "-=", "*=", "/=", "%=", "|=", "&=", "++", "--"):
        return "statement"
    return None


def mutants_of(rel: str, src: Source) -> list[Mutant]:
    toks, text = src.toks, src.text

    # Tokens never mutated: operator names, and what lies inside template
    # arguments (array sizes and the like).
    skip = set()
    for i, t in enumerate(toks):
        if t.text == "operator" and i + 1 < len(toks):
            skip.add(i + 1)
    stack = []
    for i, t in enumerate(toks):
        if i in src.templ and t.text == "<":
            stack.append(i)
        elif i in src.templ and t.text in (">", ">>"):
            for _ in range(2 if t.text == ">>" else 1):
                if stack:
                    stack.pop()
        elif stack:
            skip.add(i)

    out: list[Mutant] = []

    def add(i_from: int, i_to: int, replacement: str, kind: str, desc: str, form: str, tok_end: int = -1,
            swap: list | None = None) -> None:
        a, b = toks[i_from].start, toks[i_to].end
        line = src.line_of(a)
        out.append(Mutant(rel, line, a, b, replacement, kind, desc, src.line_text(line).strip(), form, i_from,
                          tok_end, swap or [], src.line_text(line - 1).strip() if line > 1 else ""))

    for i, t in enumerate(toks):
        if i in skip:
            continue
        prev = toks[i - 1] if i > 0 else None
        x = t.text
        nxt = toks[i + 1] if i + 1 < len(toks) else None
        if t.kind == "num":
            if x == "0" and prev is not None and prev.text == "=" and nxt is not None and nxt.text == ";" and any(
                    toks[k].text == "virtual" for k in range(max(0, i - 40), i)):
                continue  # a pure specifier
            new = raise_literal(x)
            if new is not None:
                add(i, i, new, "constant", f"'{x}' -> '{new}'", "literal")
        elif t.kind == "id" and x in ("true", "false"):
            new = "false" if x == "true" else "true"
            add(i, i, new, "logical", f"'{x}' -> '{new}'", "literal")
        elif x in ("++", "--"):
            form = "postfix" if src.value_end(i - 1) else "prefix"
            add(i, i, REPLACE[x][1], "arithmetic", f"'{x}' -> '{REPLACE[x][1]}'", form)
        elif x in REPLACE and i not in src.templ:
            kind, new = REPLACE[x]
            if x == "&&" and prev is not None and (prev.text in ("auto", "const") or is_typeish(prev)):
                continue  # a forwarding reference
            if not src.value_end(i - 1):
                continue
            if x == "+=" and nxt is not None and nxt.kind == "str":
                continue  # text appended
            add(i, i, new, kind, f"'{x}' -> '{new}'", "binary")
        elif x == "!" and i + 1 < len(toks):
            add(i, i, "", "logical", "'!' removed", "not")
        elif x in BINARY and prev is not None and src.value_end(i - 1):
            if x == "*" and is_typeish(prev):
                continue  # a pointer declaration
            if x == "+" and (prev.kind == "str" or (nxt is not None and nxt.kind == "str")):
                continue  # text joined, not a sum
            add(i, i, BINARY[x], "arithmetic", f"'{x}' -> '{BINARY[x]}'", "binary")

    # Neighbours in a list of enumerators (a reel strip, an order of symbols,
    # a table of sounds) swapped.
    for i, t in enumerate(toks):
        if t.text != "{" or i not in src.match:
            continue
        items: list[tuple[int, int]] = []
        j, first, ok = i + 1, i + 1, True
        end = src.match[i]
        while j <= end and ok:
            x = toks[j].text
            if x in (",", "}") and (x == "," or j == end):
                if j > first:
                    items.append((first, j - 1))
                first = j + 1
            elif x in ("{", "(", "[", ";"):
                ok = False
            j += 1
        if not ok or len(items) < 2:
            continue
        names = []
        for a, b in items:
            seq = toks[a : b + 1]
            if len(seq) < 3 or len(seq) % 2 == 0 or any(
                    (n % 2 == 0 and s.kind != "id") or (n % 2 == 1 and s.text != "::") for n, s in enumerate(seq)):
                ok = False
                break
            names.append(text[toks[a].start : toks[b].end])
        if not ok:
            continue
        for n in range(len(items) - 1):
            if names[n] == names[n + 1]:
                continue
            (a1, b1), (a2, b2) = items[n], items[n + 1]
            between = text[toks[b1].end : toks[a2].start]
            add(a1, b2, names[n + 1] + between + names[n], "swap", f"swapped '{names[n]}' and '{names[n + 1]}'",
                "swap", swap=[a1, b1, a2, b2])

    # Statements.
    for i in sorted(statement_starts(src)):
        end = statement_end(toks, i)
        if end is None:
            continue
        kind = statement_kind(toks, i, end)
        if kind is None:
            continue
        stmt = " ".join(text[toks[i].start : toks[end].end].split())
        add(i, end, "{}", kind, f"removed: {stmt}", "statement", tok_end=end)

    # The same replacement at the same place once only.
    seen: set[str] = set()
    unique = []
    for m in out:
        if m.key not in seen:
            seen.add(m.key)
            unique.append(m)
    # Tell apart the same mutation at several places of one line.
    counts: dict[tuple[str, int, str], int] = {}
    for m in sorted(unique, key=lambda m: (m.line, m.start)):
        k = (m.file, m.line, m.desc)
        counts[k] = counts.get(k, 0) + 1
        if counts[k] > 1:
            m.desc = f"{m.desc} #{counts[k]}"
    return sorted(unique, key=lambda m: (m.line, m.start))


def strip_static_asserts(text: str) -> str:
    """The text with its static assertions blanked out: the switched build
    turns constants into run-time values, which an assertion cannot read."""
    code = blank_noncode(text)
    out = list(text)
    for m in re.finditer(r"\bstatic_assert\s*\(", code):
        depth, j = 0, m.end() - 1
        while j < len(code):
            if code[j] == "(":
                depth += 1
            elif code[j] == ")":
                depth -= 1
                if depth == 0:
                    break
            j += 1
        k = j + 1
        while k < len(code) and code[k] in " \t\n":
            k += 1
        if k < len(code) and code[k] == ";":
            for p in range(m.start(), k + 1):
                if out[p] != "\n":
                    out[p] = " "
    return "".join(out)


# --------------------------------------------------------------------------
# The switched build of one file


@dataclasses.dataclass
class Edit:
    a: int  # characters [a, b) of the original text
    b: int
    holes: list  # character ranges inside that are written again, with the edits inside them
    render: object  # function(list of rendered holes) -> text
    mutants: list  # the mutants this edit carries


def switched_text(src: Source, mutants: list[Mutant], ids: dict[str, int], strip: str) -> tuple[str, list[Mutant]]:
    """The file with every mutant it can carry behind a run-time switch, and
    the mutants it could not carry."""
    toks, text = src.toks, src.text
    edits: list[Edit] = []
    refused: list[Mutant] = []
    def sw(i: int) -> str:
        return "velmoran_mut::on" if src.in_constexpr_function(i) else "velmoran_mut::hit"
    # Per token, the mutants of swapped enumerators and of literals, which
    # share one edit each.
    element_alts: dict[tuple[int, int], list[tuple[int, str]]] = {}
    element_mutants: dict[tuple[int, int], list[Mutant]] = {}
    parsed: dict[tuple[int, int], dict | None] = {}

    def extents(i: int):
        a, b = src.region(i)
        if (a, b) not in parsed:
            parsed[(a, b)] = src.parse(a, b)
        spans = parsed[(a, b)]
        return None if spans is None or i not in spans else spans[i]

    def span_text(i: int, j: int) -> tuple[int, int]:
        return toks[i].start, toks[j - 1].end

    # Constexpr variables become const, so that a switch inside reaches the
    # run; those that must stay constant keep their mutants out.
    kept = []
    for kw, last, scalar in src.constexpr_vars:
        if strip == "all" or (strip == "scalars" and not scalar):
            new = "inline const" if kw > 0 and toks[kw - 1].text == "static" else "const"
            edits.append(Edit(toks[kw].start, toks[kw].end, [], (lambda new: lambda h: new)(new), []))
        else:
            kept.append((kw, last))

    for m in mutants:
        mid = ids[m.key]
        i = m.tok
        if any(kw <= i <= last for kw, last in kept):
            refused.append(m)
            continue
        if m.form == "literal":
            # The innermost bracket around the literal.
            opener, k = None, i - 1
            while k >= 0:
                mk = src.match.get(k)
                if mk is not None and mk < k:
                    k = mk - 1
                    continue
                if mk is not None and mk > i:
                    opener = k
                    break
                k -= 1
            # A case label or an enum value must be a constant.
            before = toks[i - 2].text if i >= 2 and toks[i - 1].text == "-" else toks[i - 1].text if i >= 1 else ""
            in_case = before == "case" and i + 1 < len(toks) and toks[i + 1].text == ":"
            if in_case or (opener is not None and opener in src.enum_brace):
                refused.append(m)
                continue
            old = toks[i].text
            if old in ("true", "false"):
                alt = f"({sw(i)}({mid}) ? {m.replacement} : {old})"
                form = "ternary"
            elif opener is not None and src.list_brace.get(opener, False):
                lit = "LitC" if src.in_constexpr_function(i) else "Lit"
                alt = f"velmoran_mut::{lit}<{old}, {m.replacement}>{{{mid}}}"
                form = "lit"
            else:
                alt = f"({sw(i)}({mid}) ? {m.replacement} : {old})"
                form = "ternary"
            edits.append(Edit(toks[i].start, toks[i].end, [], (lambda alt: lambda holes: alt)(alt), [m]))
            del form
        elif m.form == "swap":
            a1, b1, a2, b2 = m.swap
            first, second = (a1, b1), (a2, b2)
            element_alts.setdefault(first, []).append((mid, text[toks[a2].start : toks[b2].end]))
            element_alts.setdefault(second, []).append((mid, text[toks[a1].start : toks[b1].end]))
            element_mutants.setdefault(first, []).append(m)
            element_mutants.setdefault(second, []).append(m)
        elif m.form == "statement":
            a, b = toks[i].start, toks[m.tok_end].end
            edits.append(Edit(a, b, [(a, b)],
                              (lambda mid, on: lambda h: f"{{ if (!{on}({mid})) {{ {h[0]} }} }}")(mid, sw(i)), [m]))
        elif m.form == "binary":
            span = extents(i)
            if span is None:
                refused.append(m)
                continue
            la, lb = span_text(span[0], i)
            ra, rb = span_text(i + 1, span[1])
            old, new = toks[i].text, m.replacement
            edits.append(Edit(la, rb, [(la, lb), (ra, rb)],
                              (lambda mid, old, new, on: lambda h:
                               f"({on}({mid}) ? (({h[0]}) {new} ({h[1]})) : (({h[0]}) {old} ({h[1]})))")(
                                  mid, old, new, sw(i)), [m]))
        elif m.form in ("prefix", "postfix", "not"):
            span = extents(i)
            if span is None:
                refused.append(m)
                continue
            oa, ob = span_text(span[0], span[1])
            old, new = toks[i].text, m.replacement
            if m.form == "prefix":
                render = (lambda mid, old, new, on: lambda h: f"({on}({mid}) ? {new}({h[0]}) : {old}({h[0]}))")(
                    mid, old, new, sw(i))
                a, b = toks[i].start, ob
            elif m.form == "postfix":
                render = (lambda mid, old, new, on: lambda h: f"({on}({mid}) ? ({h[0]}){new} : ({h[0]}){old})")(
                    mid, old, new, sw(i))
                a, b = oa, toks[i].end
            else:
                render = (lambda mid, on: lambda h: f"({on}({mid}) ? static_cast<bool>({h[0]}) : !({h[0]}))")(
                    mid, sw(i))
                a, b = toks[i].start, ob
            edits.append(Edit(a, b, [(oa, ob)], render, [m]))
        else:
            refused.append(m)

    for (a, b), alts in element_alts.items():
        original = text[toks[a].start : toks[b].end]

        def render(h, alts=alts, original=original, on=sw(a)):
            out = original
            for mid, alt in reversed(alts):
                out = f"({on}({mid}) ? {alt} : {out})"
            return out

        edits.append(Edit(toks[a].start, toks[b].end, [], render, element_mutants[(a, b)]))

    # Nest the edits: each lies inside a hole of the one around it, or beside it.
    dropped: set[int] = set()
    edits.sort(key=lambda e: (e.a, -e.b))

    def write(lo: int, hi: int, inner: list[Edit]) -> str:
        out, at = [], lo
        k = 0
        while k < len(inner):
            e = inner[k]
            if e.a < at:  # overlaps the edit before it
                dropped.add(id(e))
                k += 1
                continue
            # The edits inside this one.
            nested = []
            k2 = k + 1
            while k2 < len(inner) and inner[k2].a < e.b:
                nested.append(inner[k2])
                k2 += 1
            holes = []
            for ha, hb in e.holes:
                holes.append(write(ha, hb, [n for n in nested if ha <= n.a and n.b <= hb]))
            for n in nested:
                if not any(ha <= n.a and n.b <= hb for ha, hb in e.holes):
                    dropped.add(id(n))
            out.append(text[at : e.a])
            out.append(e.render(holes))
            at = e.b
            k = k2
        out.append(text[at:hi])
        return "".join(out)

    body = write(0, len(text), edits)
    for e in edits:
        if id(e) in dropped:
            refused.extend(e.mutants)
    if dropped:
        # A swap edit dropped takes its mutant out of the other element's
        # edit too: write again without them.
        keep = [m for m in mutants if m not in refused]
        if len(keep) < len(mutants):
            again, more = switched_text(src, keep, ids, strip)
            return again, refused + more
    return body, refused


# --------------------------------------------------------------------------
# Equivalent mutants


@dataclasses.dataclass
class Equivalent:
    file: str
    snippet: str
    mutation: str
    reason: str
    used: int = 0


def normalise(s: str) -> str:
    return " ".join(s.split())


def read_equivalents() -> list[Equivalent]:
    out = []
    if not EQUIVALENT.exists():
        return out
    for n, raw in enumerate(EQUIVALENT.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        parts = [p.strip() for p in line.split(" | ")]
        if len(parts) != 4 or not all(parts):
            sys.exit(f"{EQUIVALENT.name}:{n}: expected 'file | line snippet | mutation | reason'")
        out.append(Equivalent(parts[0], normalise(parts[1]), parts[2], parts[3]))
    return out


def equivalent_for(m: Mutant, eqs: list[Equivalent]) -> Equivalent | None:
    # A piece written "A \n B" is B in the mutated line with A in the line
    # before it, for a line that is alike elsewhere in the file.
    line, before = normalise(m.snippet), normalise(m.before)
    for e in eqs:
        if e.file != m.file or e.mutation not in (m.desc, "*"):
            continue
        if "\\n" in e.snippet:
            a, b = (normalise(x) for x in e.snippet.split("\\n", 1))
            if a in before and b in line:
                return e
        elif e.snippet in line:
            return e
    return None


# --------------------------------------------------------------------------
# The scratch tree and its build


def source_files(rev: str | None, take: list[str] | None = None, overlay: str | None = None) -> dict[str, bytes]:
    files: dict[str, bytes] = {}
    if rev is None:
        for top in ROOT.iterdir():
            if top.name in NOT_COPIED:
                continue
            for f in [top] if top.is_file() else top.rglob("*"):
                if f.is_file() and not f.is_symlink():
                    files[f.relative_to(ROOT).as_posix()] = f.read_bytes()
    else:
        data = subprocess.run(["git", "-C", str(ROOT), "archive", "--format=tar", rev],
                              check=True, capture_output=True).stdout
        with tarfile.open(fileobj=io.BytesIO(data)) as tar:
            for member in tar.getmembers():
                if member.isfile():
                    files[member.name] = tar.extractfile(member).read()
        # Files of the working tree over the revision.
        for path in take or []:
            p = ROOT / path
            for f in [p] if p.is_file() else p.rglob("*"):
                if f.is_file():
                    files[f.relative_to(ROOT).as_posix()] = f.read_bytes()
    if overlay:
        top = Path(overlay).resolve()
        for f in top.rglob("*"):
            if f.is_file():
                files[f.relative_to(top).as_posix()] = f.read_bytes()
    # The scratch build: warnings are not errors (a switched fault may well
    # warn), and the logic's static assertions go.
    top = files.get("CMakeLists.txt", b"").decode()
    files["CMakeLists.txt"] = re.sub(r"\s-Werror\b", "", top).encode()
    for rel in list(files):
        if rel.startswith(LOGIC) and rel.endswith((".h", ".cpp")):
            files[rel] = strip_static_asserts(files[rel].decode()).encode()
    return files


def sync_tree(files: dict[str, bytes]) -> None:
    """Makes the scratch tree hold exactly `files`, rewriting only what
    differs so that the build redoes only that."""
    TREE.mkdir(parents=True, exist_ok=True)
    for rel, data in files.items():
        dest = TREE / rel
        if dest.is_file() and dest.read_bytes() == data:
            continue
        dest.parent.mkdir(parents=True, exist_ok=True)
        dest.write_bytes(data)
    for f in TREE.rglob("*"):
        if f.is_file() and f.relative_to(TREE).as_posix() not in files:
            f.unlink()


def run(cmd: list[str], timeout: float | None = None, env: dict | None = None, **kw) -> tuple[int, str, float]:
    t0 = time.monotonic()
    try:
        p = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=timeout,
                           errors="replace", env=env, **kw)
        return p.returncode, p.stdout, time.monotonic() - t0
    except subprocess.TimeoutExpired as e:
        out = e.stdout.decode(errors="replace") if isinstance(e.stdout, bytes) else (e.stdout or "")
        return -9, out, time.monotonic() - t0


def configure() -> None:
    if not SWITCH_HEADER.exists() or SWITCH_HEADER.read_text() != SWITCH_CODE:
        SWITCH_HEADER.write_text(SWITCH_CODE)
    code, out, _ = run(["cmake", "-S", str(TREE), "-B", str(BUILD), *CONFIGURE])
    if code != 0:
        sys.exit("configuring the scratch build failed:\n" + out[-4000:])


def build(jobs: int, target: str = TEST_TARGET, timeout: float | None = 1800) -> tuple[bool, str]:
    code, out, _ = run(["ninja", "-C", str(BUILD), f"-j{jobs}", target], timeout=timeout)
    return code == 0, out


def logic_files() -> tuple[dict[str, int], dict[str, str]]:
    """The files of the logic that the test build compiles (its sources from
    the compilation database, its headers from the build's dependencies):
    the number of objects a change to each rebuilds, and for each an object
    that includes it (to try a switched file on)."""
    db = json.loads((BUILD / "compile_commands.json").read_text())
    tree = TREE.resolve().as_posix() + "/"
    cost: dict[str, int] = {}
    probe: dict[str, str] = {}
    objects = {}
    for entry in db:
        f = Path(entry["file"]).resolve().as_posix()
        if f.startswith(tree):
            rel = f[len(tree):]
            cost[rel] = 1
            obj = entry.get("output") or re.search(r"-o (\S+)", entry["command"]).group(1)
            probe[rel] = obj
            objects[obj] = rel
    code, out, _ = run(["ninja", "-C", str(BUILD), "-t", "deps"])
    current = None
    for line in out.splitlines():
        if line and not line.startswith((" ", "\t")):
            current = line.split(":")[0]
            continue
        f = line.strip()
        if not f.endswith(".h"):
            continue
        f = Path(f if f.startswith("/") else BUILD / f).resolve().as_posix()
        if f.startswith(tree):
            rel = f[len(tree):]
            cost[rel] = cost.get(rel, 0) + 1
            # Prefer an object of the logic itself: it compiles fastest.
            if current and (rel not in probe or objects.get(current, "").startswith(LOGIC)):
                probe[rel] = current
    keep = {f: c for f, c in sorted(cost.items())
            if f.startswith(LOGIC) and not f.startswith(EXCLUDED_PREFIXES) and f.endswith((".cpp", ".h"))}
    return keep, probe


@dataclasses.dataclass
class Timing:
    quick: float
    slow: float | None = None  # measured before the first fault when a file they are about is run
    lock: threading.Lock = dataclasses.field(default_factory=threading.Lock)

    def slow_seconds(self) -> float:
        with self.lock:
            if self.slow is None:
                env = dict(os.environ)
                env.pop(SWITCH, None)
                code, out, self.slow = run([str(TEST_BINARY), f"--gtest_filter={SLOW_TESTS}", "--gtest_brief=1"],
                                           cwd=BUILD, env=env)
                if code != 0:
                    sys.exit("the slow logic tests fail without any mutant:\n" + out[-6000:])
                print(f"unmutated: the exhaustive tests pass in {self.slow:.1f} s", flush=True)
            return self.slow


def run_tests(timing: Timing, rel: str, mutant_id: int | None = None,
              killers: list[str] | None = None) -> tuple[str, str]:
    """('killed' or 'survived', how it ended). The tests that killed earlier
    mutants of the file (`killers`) run first: they most often kill the next
    one too, and a kill then costs a fraction of the whole run."""
    env = dict(os.environ)
    env.pop(SWITCH, None)
    if mutant_id is not None:
        env[SWITCH] = str(mutant_id)
    # Runs side by side must not share the files a test keeps in the
    # temporary folder: a clash would count as a kill.
    tmp = SCRATCH / "tmp" / str(threading.get_ident())
    tmp.mkdir(parents=True, exist_ok=True)
    env["TMPDIR"] = str(tmp)
    # A mutant that hangs is killed by the timeout, well above what the
    # unmutated tests take even on a loaded machine.
    limit = 10 + 5 * timing.quick
    first = list(dict.fromkeys(killers or []))[-12:]
    if first:
        passes = [(":".join(first), limit), (f"-{SLOW_TESTS}:" + ":".join(first), limit)]
    else:
        passes = [(f"-{SLOW_TESTS}", limit)]
    if rel.startswith(SLOW_TESTS_FOR):
        passes.append((SLOW_TESTS, 20 + 4 * timing.slow_seconds()))
    for pattern, limit in passes:
        code, out, _ = run([str(TEST_BINARY), f"--gtest_filter={pattern}", "--gtest_fail_fast", "--gtest_brief=1"],
                           timeout=limit, cwd=BUILD, env=env)
        if code == -9:
            return "killed", "timeout"
        if code != 0:
            return "killed", failed_test(out) or f"exit {code}"
    return "survived", ""


def failed_test(out: str) -> str:
    m = re.search(r"\[  FAILED  \] (\S+)", out)
    return m.group(1) if m else ""


def baseline(jobs: int) -> Timing:
    ok, out = build(jobs, timeout=None)
    if not ok:
        sys.exit("the unmutated tree does not build:\n" + out[-6000:])
    env = dict(os.environ)
    env.pop(SWITCH, None)
    code, out, quick = run([str(TEST_BINARY), f"--gtest_filter=-{SLOW_TESTS}", "--gtest_brief=1"], cwd=BUILD, env=env)
    if code != 0:
        sys.exit("the logic tests fail without any mutant:\n" + out[-6000:])
    print(f"unmutated: tests pass in {quick:.1f} s", flush=True)
    return Timing(quick)


def error_lines(out: str, rel: str) -> tuple[set[int], bool]:
    """Lines of `rel` that the compiler's errors point at, and whether any
    error points elsewhere."""
    lines: set[int] = set()
    elsewhere = False
    for m in re.finditer(r"^(\S+?):(\d+):(?:\d+:)?\s+(error|required from|warning)", out, re.M):
        path, line = m.group(1), int(m.group(2))
        if path.endswith("/" + rel) or path == rel:
            if m.group(3) != "warning":
                lines.add(line)
        elif m.group(3) == "error" and "velmoran_mutant.h" not in path:
            elsewhere = True
    return lines, elsewhere


def prepare_switched(rel: str, src: Source, mutants: list[Mutant], ids: dict[str, int], probe: str | None,
                     jobs: int, log) -> tuple[list[Mutant], list[Mutant]]:
    """Builds the tests with the file's mutants behind switches. Returns the
    mutants the build carries and those left to apply one at a time."""
    path = TREE / rel
    carried = list(mutants)
    left: list[Mutant] = []
    for strip in ("all", "scalars", "none"):
        attempts = 0
        while carried and attempts < 6:
            attempts += 1
            text, refused = switched_text(src, carried, ids, strip)
            if refused:
                left.extend(refused)
                carried = [m for m in carried if m not in refused]
            path.write_text(text)
            ok, out = build(jobs, probe) if probe else (True, "")
            if ok:
                ok, out = build(jobs)
            if ok:
                return carried, left
            lines, elsewhere = error_lines(out, rel)
            bad = [m for m in carried if any(src.line_of(m.start) <= ln <= src.line_of(m.end) for ln in lines)]
            if not bad:
                if not lines and not elsewhere:
                    log(f"  switched build of {rel} failed:\n" + out[-3000:])
                    return [], left + carried
                break  # not the switches: the stripped constexpr
            left.extend(bad)
            carried = [m for m in carried if m not in bad]
        if not carried:
            break
    return [], left + carried


# --------------------------------------------------------------------------
# The run


def folder_of(rel: str) -> str:
    parts = rel.split("/")
    return "/".join(parts[:2]) if len(parts) > 2 else rel


def file_digest(data: bytes) -> str:
    return hashlib.sha256(data).hexdigest()[:16]


def summarise(results: list[dict], excluded: int, out=sys.stdout) -> float:
    by_folder: dict[str, dict[str, int]] = {}
    for r in results:
        f = by_folder.setdefault(folder_of(r["file"]), {"killed": 0, "survived": 0, "stillborn": 0})
        f[r["verdict"]] += 1
    total = {"killed": 0, "survived": 0, "stillborn": 0}
    print("\nfolder                 killed  survived  stillborn  score", file=out)
    for folder in sorted(by_folder):
        f = by_folder[folder]
        for k in total:
            total[k] += f[k]
        scored = f["killed"] + f["survived"]
        score = 100.0 * f["killed"] / scored if scored else 100.0
        print(f"{folder:22} {f['killed']:7} {f['survived']:9} {f['stillborn']:10}  {score:5.1f} %", file=out)
    scored = total["killed"] + total["survived"]
    score = 100.0 * total["killed"] / scored if scored else 100.0
    print(f"{'all':22} {total['killed']:7} {total['survived']:9} {total['stillborn']:10}  {score:5.1f} %", file=out)
    print(f"equivalent mutants left out: {excluded}", file=out)
    survivors = [r for r in results if r["verdict"] == "survived"]
    if survivors:
        print(f"\nsurvivors ({len(survivors)}):", file=out)
        for r in sorted(survivors, key=lambda r: (r["file"], r["line"], r["desc"])):
            print(f"  {r['file']}:{r['line']}: [{r['kind']}] {r['desc']}", file=out)
            print(f"      {r['snippet']}", file=out)
    return score


def report(args) -> int:
    if not RESULTS.exists():
        sys.exit("no stored verdicts yet")
    eqs = read_equivalents()
    results, excluded = [], 0
    fields = {f.name for f in dataclasses.fields(Mutant)}
    for r in json.loads(RESULTS.read_text())["results"]:
        if args.paths and not any(r["file"] == w.rstrip("/") or r["file"].startswith(w.rstrip("/") + "/")
                                  for w in args.paths):
            continue
        m = Mutant(**{k: v for k, v in r.items() if k in fields})
        if not m.before and m.line > 1 and (TREE / m.file).is_file():
            lines = (TREE / m.file).read_text().splitlines()
            m.before = lines[m.line - 2].strip() if m.line - 2 < len(lines) else ""
        if equivalent_for(m, eqs) is not None:
            excluded += 1
        else:
            results.append(r)
    score = summarise(results, excluded)
    unjudged(args, json.loads(RESULTS.read_text())["results"], eqs, results)
    if args.threshold is not None and score < args.threshold:
        return 1
    return 0


def unjudged(args, stored: list[dict], eqs: list[Equivalent], scored: list[dict]) -> None:
    """How far the stored verdicts reach: the mutants of the logic as it is
    now that no run has judged (a file changed since its run counts whole),
    and the score if every one of them survived."""
    files = source_files(None)
    judged = {r["key"] for r in stored if r["file"] in files and file_digest(files[r["file"]]) == r.get("digest")}
    missing: dict[str, int] = {}
    for rel in sorted(files):
        if not rel.startswith(LOGIC) or rel.startswith(EXCLUDED_PREFIXES) or not rel.endswith((".cpp", ".h")):
            continue
        if args.paths and not any(rel == w.rstrip("/") or rel.startswith(w.rstrip("/") + "/") for w in args.paths):
            continue
        for m in mutants_of(rel, Source(files[rel].decode())):
            if m.key not in judged and equivalent_for(m, eqs) is None:
                missing[rel] = missing.get(rel, 0) + 1
    if not missing:
        print("every mutant of the logic as it is now has a verdict")
        return
    print(f"\nnot judged yet ({sum(missing.values())}):")
    for rel, n in missing.items():
        print(f"  {rel}: {n}")
    killed = sum(r["verdict"] == "killed" for r in scored)
    counted = sum(r["verdict"] in ("killed", "survived") for r in scored) + sum(missing.values())
    print(f"with every one of them counted as a survivor: {killed} of {counted} = {100.0 * killed / counted:.1f} %")


def main() -> int:
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("paths", nargs="*", help="files or folders of the logic to mutate (default: all of it)")
    ap.add_argument("--sample", type=int, help="run only this many mutants, drawn with --seed")
    ap.add_argument("--sample-files", type=int, default=4, help="with --sample: how many files it is drawn from")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--budget-seconds", type=float,
                    help="start no mutant after this long (counted from the end of the unmutated build)")
    ap.add_argument("--threshold", type=float, help="fail when the score is below this per cent")
    ap.add_argument("--rev", help="mutate this git revision instead of the working tree")
    ap.add_argument("--take", action="extend", nargs="+", metavar="PATH",
                    help="with --rev: these files or folders as they are in the working tree")
    ap.add_argument("--overlay", metavar="DIR", help="files under DIR replace those of the same path")
    ap.add_argument("--rerun-survivors", action="store_true",
                    help="run again only what survived last time (or is new)")
    ap.add_argument("--one-at-a-time", action="store_true",
                    help="rebuild for every mutant instead of switching them at run time")
    ap.add_argument("--max-rebuild", type=int,
                    help="apply no mutant on its own in a file whose change rebuilds more than this many objects")
    ap.add_argument("--list", action="store_true", help="list the mutants and stop")
    ap.add_argument("--report", action="store_true",
                    help="summarise the stored verdicts of the last runs, with the equivalent list as it is now")
    ap.add_argument("--jobs", type=int, default=2)
    args = ap.parse_args()

    SCRATCH.mkdir(parents=True, exist_ok=True)
    lock = open(SCRATCH / "lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        sys.exit(f"another mutation run is using {SCRATCH}")

    if args.report:
        return report(args)

    started = time.monotonic()
    files = source_files(args.rev, args.take, args.overlay)
    sync_tree(files)
    configure()
    timing = baseline(args.jobs)
    costs, probes = logic_files()
    targets = list(costs)
    if args.paths:
        wanted = [p.rstrip("/") for p in args.paths]
        targets = [f for f in targets if any(f == w or f.startswith(w + "/") for w in wanted)]
    eqs = read_equivalents()
    sources = {rel: Source(files[rel].decode()) for rel in targets}
    mutants: list[Mutant] = []
    excluded = 0
    for rel in targets:
        for m in mutants_of(rel, sources[rel]):
            e = equivalent_for(m, eqs)
            if e is not None:
                e.used += 1
                excluded += 1
            else:
                mutants.append(m)
    for e in eqs:
        if e.used == 0 and (not args.paths or any(e.file.startswith(w.rstrip("/")) for w in args.paths)):
            print(f"note: no mutant matches the equivalent entry {e.file} | {e.snippet} | {e.mutation}", flush=True)

    if args.list:
        for m in mutants:
            print(f"{m.file}:{m.line}: [{m.kind}] {m.desc}")
        print(f"{len(mutants)} mutants in {len(targets)} files, {excluded} equivalent left out")
        return 0

    digests = {rel: file_digest(files[rel]) for rel in targets}
    stored: dict[str, dict] = {}
    if RESULTS.exists():
        for r in json.loads(RESULTS.read_text())["results"]:
            if r["file"] in files and file_digest(files[r["file"]]) == r.get("digest"):
                stored[r["key"]] = r
    previous = stored if args.rerun_survivors else {}

    chosen = mutants
    if args.sample is not None:
        # A few files, so that the sample costs a few builds, and the mutants
        # spread over them.
        rng = random.Random(args.seed)
        cheap = sorted({m.file for m in mutants if costs[m.file] <= 3})
        files_drawn = set(rng.sample(cheap, min(args.sample_files, len(cheap))))
        pool = [m for m in mutants if m.file in files_drawn]
        chosen = rng.sample(pool, min(args.sample, len(pool)))
        print("sample from " + ", ".join(sorted(files_drawn)), flush=True)
    carried_over = [previous[m.key] for m in chosen
                    if m.key in previous and previous[m.key]["verdict"] != "survived"]
    todo = [m for m in chosen if not (m.key in previous and previous[m.key]["verdict"] != "survived")]
    print(f"{len(chosen)} mutants to judge ({len(todo)} to run, {len(carried_over)} carried over), "
          f"{excluded} equivalent left out", flush=True)

    # The slow tests are timed now, on the unmutated build: once the run has
    # begun, a fault applied on its own is in the test binary.
    if any(m.file.startswith(SLOW_TESTS_FOR) for m in todo):
        timing.slow_seconds()

    results: list[dict] = list(carried_over)
    by_file: dict[str, list[Mutant]] = {}
    for m in todo:
        by_file.setdefault(m.file, []).append(m)
    # The files that rebuild least first, so that a time budget judges as
    # many mutants as it can.
    order = sorted(by_file, key=lambda f: (costs[f], f))
    done = 0
    skipped: dict[str, int] = {}
    out_of_time = False

    def log(text: str) -> None:
        print(text, flush=True)

    def record(m: Mutant, verdict: str, how: str, seconds: float, mode: str) -> None:
        nonlocal done
        done += 1
        r = dataclasses.asdict(m)
        r.update(key=m.key, verdict=verdict, how=how, digest=digests[m.file], mode=mode)
        results.append(r)
        # Every verdict is kept at once: a file applied mutant by mutant
        # may take hours.
        if args.sample is None:
            save()
        mark = {"killed": "killed   ", "survived": "SURVIVED ", "stillborn": "stillborn"}[verdict]
        log(f"[{done}/{len(todo)}] {mark} {m.file}:{m.line} [{m.kind}] {m.desc} "
            f"({seconds:.1f} s{', ' + how if how else ''})")

    mutants_started = time.monotonic()

    def save() -> None:
        # Kept for --rerun-survivors and --report: every verdict whose file
        # is unchanged, written after every verdict so that a run cut short
        # keeps what it judged.
        stored.update((r["key"], r) for r in results)
        RESULTS.write_text(json.dumps({"results": list(stored.values())}, indent=1))

    def over_budget() -> bool:
        return args.budget_seconds is not None and time.monotonic() - mutants_started > args.budget_seconds

    try:
        for rel in order:
            if out_of_time:
                break
            path = TREE / rel
            original = files[rel]
            src = sources[rel]
            file_mutants = sorted(by_file[rel], key=lambda m: m.start)
            alone = file_mutants
            killers: list[str] = []
            try:
                if not args.one_at_a_time:
                    ids = {m.key: n for n, m in enumerate(file_mutants, 1)}
                    t0 = time.monotonic()
                    switched, alone = prepare_switched(rel, src, file_mutants, ids, probes.get(rel), args.jobs, log)
                    log(f"{rel}: {len(switched)} mutants switched at run time, {len(alone)} applied on their own "
                        f"(built in {time.monotonic() - t0:.0f} s)")
                    # With every switch off the build must be the program
                    # itself; if the tests say otherwise, the rewriting went
                    # wrong somewhere and no verdict of it could be trusted.
                    if switched and run_tests(timing, rel, 0)[0] != "survived":
                        log(f"{rel}: the tests fail with every switch off; its mutants are applied on their own")
                        alone = sorted(switched + alone, key=lambda m: m.start)
                        switched = []
                    def judge(m: Mutant) -> tuple[Mutant, str | None, str, float]:
                        if over_budget():
                            return m, None, "", 0.0
                        t0 = time.monotonic()
                        verdict, how = run_tests(timing, rel, ids[m.key], killers)
                        if verdict == "killed" and "." in how:
                            killers.append(how)
                        return m, verdict, how, time.monotonic() - t0

                    # Switched mutants need no build: as many at once as jobs.
                    # A switch inside a constexpr function is off wherever the
                    # compiler evaluates it, the constant initialisation of a
                    # table included, so what survives there is applied on its
                    # own before it counts.
                    recheck: list[Mutant] = []
                    with ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
                        for m, verdict, how, seconds in pool.map(judge, switched):
                            if verdict is None:
                                out_of_time = True
                            elif verdict == "survived" and src.in_constexpr_function(m.tok):
                                recheck.append(m)
                            else:
                                record(m, verdict, how, seconds, "switched")
                    if recheck:
                        log(f"{rel}: {len(recheck)} survivors inside constexpr functions applied on their own")
                        alone = sorted(alone + recheck, key=lambda m: m.start)
                if args.max_rebuild is not None and costs[rel] > args.max_rebuild and alone:
                    skipped[rel] = len(alone)
                    alone = []
                for m in alone:
                    if out_of_time or over_budget():
                        out_of_time = True
                        break
                    t0 = time.monotonic()
                    text = original.decode()
                    path.write_text(text[: m.start] + m.replacement + text[m.end :])
                    ok, _ = build(args.jobs)
                    verdict, how = run_tests(timing, rel, None, killers) if ok else ("stillborn", "does not compile")
                    if verdict == "killed" and "." in how:
                        killers.append(how)
                    record(m, verdict, how, time.monotonic() - t0, "alone")
            finally:
                path.write_bytes(original)
            if args.sample is None:
                save()
    finally:
        for rel in order:
            (TREE / rel).write_bytes(files[rel])

    if out_of_time:
        log(f"time budget spent: {done} of {len(todo)} mutants judged")
    if skipped:
        log("not judged, rebuilding too much to apply alone: "
            + ", ".join(f"{n} in {f} ({costs[f]} objects)" for f, n in skipped.items()))
    if args.sample is None:
        save()
    score = summarise(results, excluded)
    print(f"\n{len(results)} mutants judged in {time.monotonic() - started:.0f} s")
    if args.threshold is not None and score < args.threshold:
        print(f"score {score:.1f} % is below the threshold of {args.threshold:g} %")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
