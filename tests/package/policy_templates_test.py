#!/usr/bin/env python3
"""The policy templates beside the package: well-formed, every string and
presentation of Ortivo.admx in both languages, and exactly the policy values
that the programs read (system/ManagedProfiles.h), with their key and type.

    policy_templates_test.py POLICY_DEFINITIONS_FOLDER
"""
import os
import re
import sys
import unittest
import xml.etree.ElementTree as ElementTree

from header_texts import constants

FOLDER = None
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
NAMES = constants(os.path.join(SOURCE, "system", "ManagedProfiles.h"))
LANGUAGES = ("en-US", "ja-JP")
P = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
# The registry type each kind of ADMX value writes.
TYPES = {"decimal": "REG_DWORD", "string": "REG_SZ", "text": "REG_SZ"}


def setting_text_limit():
    with open(os.path.join(SOURCE, "system", "win", "RegistrySetting.h"), encoding="utf-8") as header:
        return int(re.search(r"kSettingTextLimit = (\d+);", header.read()).group(1))


def value_type(element):
    """The registry type that a value element (enabledValue, an enum item's value) writes."""
    (kind,) = list(element)
    return TYPES[kind.tag[len(P):]]


def written_values(policy):
    """(key, value name, type) of every value the policy writes."""
    key = policy.get("key")
    values = set()
    if policy.get("valueName"):
        values.add((key, policy.get("valueName"), value_type(policy.find(P + "enabledValue"))))
    for element in policy.iterfind(P + "elements/*"):
        kind = element.tag[len(P):]
        if kind == "enum":
            types = {value_type(item.find(P + "value")) for item in element.iterfind(P + "item")}
        else:
            types = {"REG_EXPAND_SZ" if element.get("expandable") == "true" else TYPES[kind]}
        values |= {(element.get("key", key), element.get("valueName"), t) for t in types}
    return values


class PolicyTemplates(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # A file that is not well-formed fails here.
        cls.admx_path = os.path.join(FOLDER, "Ortivo.admx")
        cls.admx = ElementTree.parse(cls.admx_path).getroot()
        cls.adml = {language: ElementTree.parse(os.path.join(FOLDER, language, "Ortivo.adml")).getroot()
                    for language in LANGUAGES}

    def test_every_string_and_presentation_the_admx_uses_is_in_both_languages(self):
        with open(self.admx_path, encoding="utf-8") as admx:
            used = set(re.findall(r"\$\((string|presentation)\.([^)]+)\)", admx.read()))
        self.assertTrue(used)
        for language, adml in self.adml.items():
            with self.subTest(language):
                held = {(table[:-5], entry.get("id")) for table in ("stringTable", "presentationTable")
                        for entry in adml.iterfind("%sresources/%s%s/*" % (P, P, table))}
                self.assertEqual(used - held, set())

    def test_the_admx_writes_exactly_the_policy_values_that_the_programs_read(self):
        read = {(NAMES["kPolicyKey"][0], text, kind) for name, (text, kind) in NAMES.items()
                if re.fullmatch(r"k\w+Policy", name)}
        self.assertTrue(read)
        policies = list(self.admx.iterfind(P + "policies/*"))
        self.assertEqual({p.get("class") for p in policies}, {"Machine"})
        self.assertEqual(set().union(*(written_values(p) for p in policies)), read)
        for text in self.admx.iter(P + "text"):
            self.assertLessEqual(int(text.get("maxLength")), setting_text_limit(), "longer than the programs read")


if __name__ == "__main__":
    FOLDER = sys.argv[1]
    unittest.main(argv=sys.argv[:1], verbosity=2)
