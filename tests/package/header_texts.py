"""The text constants of a C++ header (u"..." pieces joined, C escapes read),
with the comment that ends their line: what the package and the policy
templates are compared with."""
import re

_CONSTANT = re.compile(r'(k\w+)\[\] =((?:\s*u"(?:[^"\\]|\\.)*")+);[ \t]*(?://[ \t]*(.*))?')


def constants(path):
    """{name: (text, trailing comment or None)} of every u"..." constant in the header."""
    with open(path, encoding="utf-8") as header:
        found = _CONSTANT.findall(header.read())
    return {name: ("".join(re.sub(r"\\(.)", r"\1", piece) for piece in re.findall(r'u"((?:[^"\\]|\\.)*)"', value)),
                   comment or None)
            for name, value, comment in found}
