"""The error a file's read-back raises when what was written is not what was meant."""


class Bad(Exception):
    pass


def expect(cond, what):
    if not cond:
        raise Bad(what)
