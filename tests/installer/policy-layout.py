#!/usr/bin/env python3
"""Holds the Group Policy templates to each other and to the registry layout the program reads.

    policy-layout.py ADMX ADML SOURCE_ROOT

Every string and presentation the ADMX names is in the ADML and the ADML holds no other; each
presentation shows exactly the elements of the policies that use it. The policies under the top
category write the locked values, those under its one subcategory the same values under
"Recommended", and nothing else: the key comes from the settings key in product/, the method
names and the range of the reports kept from product/StoredSettings.h, and run/Policy.cpp reads
every value and list by the name the templates write it under.
"""
import collections
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
LISTS = ["Selection", "Items", "Keep\\Sites", "Keep\\Places"]
VALUES = ["Method", "Reports", "ReportsKept", "ReportFolder"]
RECOMMENDED = "Recommended"

faults = []


def fault(text):
    faults.append(text)


def c_literal(source, name, defines):
    """The text of `constexpr char NAME[] = "..." MACRO "...";`, its macros replaced."""
    match = re.search(r"\b%s\[\]\s*=\s*([^;]+);" % name, source)
    if not match:
        sys.exit("product/StoredSettings.h defines no %s" % name)
    text = ""
    for literal, macro in re.findall(r'"((?:[^"\\]|\\.)*)"|(\w+)', match.group(1)):
        text += defines[macro] if macro else literal.encode().decode("unicode_escape")
    return text


def product_facts(root):
    header = pathlib.Path(root, "product/Product.h").read_text()
    defines = dict(re.findall(r'^#define (\w+) "([^"]*)"$', header, re.M))
    settings = pathlib.Path(root, "product/StoredSettings.h").read_text()
    key = c_literal(settings, "kSettingsKey", defines)
    most = re.search(r"\bkMostReportsKept\s*=\s*(\d+);", settings)
    methods = re.search(r"\bkMethodShortNames\[\d+\]\s*=\s*\{([^}]*)\}", settings)
    if not key.startswith("Software\\") or not most or not methods:
        sys.exit("product/StoredSettings.h: no settings key under Software, kMostReportsKept or "
                 "kMethodShortNames")
    reader = pathlib.Path(root, "run/Policy.cpp").read_text()
    for name in LISTS + VALUES + [RECOMMENDED, "Software\\Policies\\"]:
        if not re.search(r'L"(?:[^"\\]|\\.)*%s"' % re.escape(name.replace("\\", "\\\\")), reader):
            fault("run/Policy.cpp reads nothing named %s" % name)
    return {
        "key": "Software\\Policies\\" + key[len("Software\\"):],
        "methods": tuple(re.findall(r'"(\w+)"', methods.group(1))),
        "most": int(most.group(1)),
    }


def expected_writes(key, facts):
    writes = [("enum", key, "Method", facts["methods"])]
    writes += [("list", key + "\\" + name) for name in LISTS]
    writes += [("switch", key, "Reports"),
               ("decimal", key, "ReportsKept", 1, facts["most"]),
               ("expandable text", key, "ReportFolder")]
    return writes


def flag(element, name):
    return element.get(name, "false") == "true"


def decimal_of(value):
    number = value.find("p:decimal", NS) if value is not None else None
    return int(number.get("value")) if number is not None else None


def policy_writes(policy):
    """What the policy writes to the registry, in the terms of expected_writes."""
    key = policy.get("key")
    name = policy.get("name")
    writes = []
    if policy.get("valueName"):
        on = decimal_of(policy.find("p:enabledValue", NS))
        off = decimal_of(policy.find("p:disabledValue", NS))
        if (on, off) != (1, 0):
            fault("%s: enabled writes %s and disabled %s, not 1 and 0" % (name, on, off))
        writes.append(("switch", key, policy.get("valueName")))
    for element in policy.findall("p:elements/*", NS):
        kind = element.tag.split("}")[1]
        where = element.get("key", key)
        value = element.get("valueName")
        if kind == "enum":
            items = [item.findtext("p:value/p:string", None, NS)
                     for item in element.findall("p:item", NS)]
            writes.append(("enum", where, value, tuple(items)))
        elif kind == "list":
            # Without an empty prefix the values would be named after their texts, not 1, 2, ...
            if element.get("valuePrefix") != "" or flag(element, "explicitValue"):
                fault("%s: the list's values are not named 1, 2, ..." % name)
            if flag(element, "expandable") or flag(element, "additive"):
                fault("%s: the list is expandable or additive" % name)
            writes.append(("list", where))
        elif kind == "decimal":
            if flag(element, "storeAsText"):
                fault("%s: %s is stored as text" % (name, value))
            writes.append(("decimal", where, value, int(element.get("minValue", "0")),
                           int(element.get("maxValue", "9999"))))
        elif kind == "text":
            prefix = "expandable " if flag(element, "expandable") else ""
            writes.append((prefix + "text", where, value))
        else:
            writes.append((kind, where, value))
    return writes


def compare_writes(category, found, wanted):
    found_count = collections.Counter(found)
    wanted_count = collections.Counter(wanted)
    for write in sorted(set(found_count) | set(wanted_count), key=str):
        if found_count[write] != wanted_count[write]:
            fault("%s: %s written %d times, the program reads it %d times"
                  % (category, " ".join(map(str, write)), found_count[write],
                     wanted_count[write]))


def check_references(admx_text, admx, adml):
    strings = {s.get("id") for s in adml.iter("{%s}string" % NS["p"])}
    presentations = {p.get("id"): p for p in adml.iter("{%s}presentation" % NS["p"])}
    named = set(re.findall(r"\$\(string\.(\w+)\)", admx_text))
    shown = set(re.findall(r"\$\(presentation\.(\w+)\)", admx_text))
    for missing in sorted(named - set(strings)):
        fault("the ADML has no string %s" % missing)
    for unused in sorted(set(strings) - named):
        fault("the ADML's string %s is named by no policy" % unused)
    for missing in sorted(shown - set(presentations)):
        fault("the ADML has no presentation %s" % missing)
    for unused in sorted(set(presentations) - shown):
        fault("the ADML's presentation %s is used by no policy" % unused)
    for policy in admx.iter("{%s}policy" % NS["p"]):
        ids = [e.get("id") for e in policy.findall("p:elements/*", NS)]
        reference = re.fullmatch(r"\$\(presentation\.(\w+)\)", policy.get("presentation", ""))
        if ids and not reference:
            fault("%s: elements but no presentation" % policy.get("name"))
        presentation = presentations.get(reference.group(1)) if reference else None
        if presentation is not None:
            refs = [e.get("refId") for e in presentation if e.get("refId") is not None]
            if sorted(refs) != sorted(ids):
                fault("%s: presentation shows %s, the policy has %s"
                      % (policy.get("name"), refs, ids))


def main(admx_path, adml_path, root):
    admx_text = pathlib.Path(admx_path).read_text(encoding="utf-8")
    admx = ET.fromstring(admx_text)
    adml = ET.parse(adml_path).getroot()
    check_references(admx_text, admx, adml)
    facts = product_facts(root)

    categories = admx.findall("p:categories/p:category", NS)
    top = [c for c in categories if c.find("p:parentCategory", NS) is None]
    sub = [c for c in categories if c.find("p:parentCategory", NS) is not None]
    if len(top) != 1 or len(sub) != 1 or \
            sub[0].find("p:parentCategory", NS).get("ref") != top[0].get("name"):
        sys.exit("the ADMX needs one category and one subcategory of it")

    scopes = {top[0].get("name"): ("locked", facts["key"]),
              sub[0].get("name"): ("recommended", facts["key"] + "\\" + RECOMMENDED)}
    found = {name: [] for name in scopes}
    names = []
    for policy in admx.iter("{%s}policy" % NS["p"]):
        name = policy.get("name")
        names.append(name)
        if policy.get("class") != "Both":
            fault("%s: class %s, not Both" % (name, policy.get("class")))
        parent = policy.find("p:parentCategory", NS).get("ref")
        if parent not in scopes:
            fault("%s: in no category of the templates" % name)
            continue
        found[parent] += policy_writes(policy)
    for duplicate in sorted(n for n, c in collections.Counter(names).items() if c > 1):
        fault("two policies are called %s" % duplicate)
    for parent, (scope, key) in scopes.items():
        compare_writes(scope, found[parent], expected_writes(key, facts))

    for line in faults:
        print("policy templates: " + line, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
