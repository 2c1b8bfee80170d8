"""The read-mes for Windows and Linux, made from one source text, and the Windows one's check."""

from artwork.check import expect


def readme_text(source, system):
    """The read-me for one system from its one source text (UTF-8, LF): lines between a
    "[windows]" or "[linux]" line and the next "[end]" belong to that system alone."""
    lines, only = [], None
    for line in source.splitlines(keepends=True):
        marker = line.strip()
        if marker in ("[windows]", "[linux]"):
            only = marker[1:-1]
        elif marker == "[end]":
            only = None
        elif only in (None, system):
            lines.append(line)
    return "".join(lines)


def make_readme(source):
    """Windows: GBK with CR LF, as Notepad of a Chinese system reads it."""
    return readme_text(source, "windows").replace("\n", "\r\n").encode("gbk")


def make_linux_readme(source):
    """Linux: UTF-8 with LF."""
    return readme_text(source, "linux").encode("utf-8")


def check_readme(data):
    expect(not data.startswith(b"\xef\xbb\xbf"), "read-me starts with a byte-order mark")
    text = data.decode("gbk")
    expect("\n" not in text.replace("\r\n", ""), "a line end that is not CR LF")
    expect("\r" not in text.replace("\r\n", ""), "a lone CR")
    return text.count("\r\n")
