#!/usr/bin/env python3
"""Writes the fuzzers' seed corpus: real requests in both encodings (every
tag, nesting, the buffer limits), command lines and code page inputs.
Run from anywhere; it rewrites tests/fuzz/corpus/ beside this script."""

import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"

FULL = ("<TITLE>Hello<\\TITLE><BODY>World<\\BODY><STYLE>4<\\STYLE>"
        "<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>")


def utf16(text):
    return text.encode("utf-16-le", "surrogatepass")


def ansi(text):
    return text.encode("cp1252")


def requests():
    long_title = "<TITLE>" + "T" * 2000 + "<\\TITLE><BODY>"
    full_ansi = long_title + "b" * (2048 - len(long_title) - 8) + "<\\BODY>x"
    padded = "<TITLE>In<\\TITLE>".ljust(1024) + "<BODY>Out<\\BODY>"
    return {
        "utf16-full": utf16(FULL),
        "ansi-full": ansi(FULL),
        "utf16-any-order": utf16("<DEFID>2<\\DEFID>\r\n<BODY>b<\\BODY> "
                                 "<STYLE>36<\\STYLE><TITLE>t<\\TITLE>"),
        "utf16-nested": utf16("<TITLE>a <BODY>b<\\BODY> c<\\TITLE>"
                              "<STYLE><DEFID>7<\\DEFID><\\STYLE>"),
        "utf16-close-before-open": utf16("<\\TITLE><TITLE>A<\\TITLE>"
                                         "<\\STYLE><STYLE>5<\\STYLE>"),
        "utf16-empty-values": utf16("<TITLE><\\TITLE><BODY><\\BODY>"
                                    "<STYLE><\\STYLE>"),
        "utf16-numbers": utf16("<TITLE>n<\\TITLE><STYLE> \t-2147483648<\\STYLE>"
                               "<TIMEDOUT>+4294967297<\\TIMEDOUT>"
                               "<DEFID>12345678901234567890123<\\DEFID>"),
        "utf16-best-fit-digits": utf16("<TITLE>w<\\TITLE>"
                                       "<STYLE>\uff11\uff12\u2083<\\STYLE>"
                                       "<DEFID>\u2212\u00b2<\\DEFID>"),
        "utf16-non-ascii": utf16("<TITLE>Caf\u00e9 \u20ac \u4e00<\\TITLE>"
                                 "<BODY>\U0001F600 \ud800<\\BODY>"),
        "utf16-zero-unit": utf16("<TITLE>a<\\TITLE>") + b"\0\0" + utf16(FULL),
        "utf16-odd-length": utf16("<TITLE>Hi<\\TITLE><BODY>b<\\BODY") + b">",
        "utf16-no-title": utf16("<BODY>b<\\BODY><STYLE>4<\\STYLE>"),
        "utf16-limit": utf16(padded),
        "utf16-cut-tag": utf16("<TITLE>Hi<\\TITLE><BODY>b<\\BOD"),
        "ansi-cp1252": b"<BODY>Caf\xe9 \x80 \x81<\\BODY><TITLE>Hello<\\TITLE>"
                       b"<STYLE> -36x<\\STYLE>",
        "ansi-zero-byte": b"<STYLE>1<\\STYLE>\0<BODY>b<\\BODY>",
        "ansi-full-2048": ansi(full_ansi),
        "ansi-long-numbers": ansi("<STYLE>1234567890123456789012345<\\STYLE>"
                                  "<TIMEDOUT>" + "7" * 1500 + "<\\TIMEDOUT>"
                                  "<DEFID>                   5<\\DEFID>"),
        "ansi-lower-and-slash": b"<title>t</TITLE><body>b<\\body><BODY>x</BODY>",
        "empty": b"",
    }


def command_lines():
    lines = {
        "quoted": '"C:\\T\\Tandrel.exe" C:\\r.txt',
        "quoted-no-blank": '"Tandrel.exe"C:\\r.txt',
        "unclosed-quote": '"Tandrel.exe r.txt',
        "unquoted": "Tandrel.exe C:\\r.txt",
        "controls": "T \t\r\n\x01\x1f r.txt",
        "trailing-blanks": "T r.txt  ",
        "quoted-path": 'T "C:\\r.txt"',
        "non-ascii": "\u00c9t\u00e9 \u20ac.txt \u00a0x",
        "empty-name": '"" r.txt',
        "empty": "",
    }
    return {name: utf16(line) for name, line in lines.items()}


def codepage_inputs():
    every_byte = bytes(range(256))
    return {
        "every-byte-exact": b"\x20" + every_byte,
        "every-byte-short": b"\x05" + every_byte,
        "high-controls": b"\x61" + bytes(range(0x80, 0xa0)),
        "best-fit-units": b"\x21" + utf16("\uff10\uff19\u2212\u3000\u0100"
                                          "\u4e00\ud83d\ude00\uffff"),
        "ascii": b"\x00Hello, world",
    }


def main():
    groups = {
        "parse_request": requests(),
        "command_tail": command_lines(),
        "codepage": codepage_inputs(),
    }
    for fuzzer, seeds in groups.items():
        folder = CORPUS / fuzzer
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
