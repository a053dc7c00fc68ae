#!/usr/bin/env python3
"""Checks exported FHIR Bundles against the official R4 JSON schema and against the rules of
the vital-signs profile that the schema cannot hold.

    checkbundle.py SCHEMA BUNDLE.json...

Exit status 0 when every Bundle passes, 1 with each fault listed otherwise."""
import json
import re
import sys

import jsonschema

CATEGORY_SYSTEM = "http://terminology.hl7.org/CodeSystem/observation-category"
LOINC = "http://loinc.org"
UCUM = "http://unitsofmeasure.org"
# LOINC code -> the UCUM units the vital-signs profile allows for it.
VITAL_SIGNS = {
    "39156-5": {"kg/m2"},
    "29463-7": {"kg", "g", "[lb_av]"},
    "8302-2": {"cm", "[in_i]"},
}
DAY = re.compile(r"^\d{4}-\d{2}-\d{2}(T.*)?$")
UUID_URL = re.compile(r"^urn:uuid:[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$")


def codings(concept, system):
    return [c.get("code") for c in (concept or {}).get("coding", []) if c.get("system") == system]


def vital_sign_faults(where, obs, patients):
    faults = []
    if obs.get("status") != "final":
        faults.append("status is %r, not 'final'" % obs.get("status"))
    if not any("vital-signs" in codings(c, CATEGORY_SYSTEM) for c in obs.get("category", [])):
        faults.append("no category vital-signs under " + CATEGORY_SYSTEM)
    loinc = [c for c in codings(obs.get("code"), LOINC) if c in VITAL_SIGNS]
    if len(loinc) != 1:
        faults.append("code has no single vital-sign LOINC coding")
    quantity = obs.get("valueQuantity", {})
    if quantity.get("system") != UCUM:
        faults.append("valueQuantity.system is %r, not UCUM" % quantity.get("system"))
    if loinc and quantity.get("code") not in VITAL_SIGNS[loinc[0]]:
        faults.append("valueQuantity.code %r is not a unit of LOINC %s" % (quantity.get("code"), loinc[0]))
    if not isinstance(quantity.get("value"), (int, float)):
        faults.append("valueQuantity has no value")
    if obs.get("subject", {}).get("reference") not in patients:
        faults.append("subject is not a Patient of the Bundle")
    if not DAY.match(obs.get("effectiveDateTime", "")):
        faults.append("effectiveDateTime %r is not precise to the day" % obs.get("effectiveDateTime"))
    return ["%s: %s" % (where, f) for f in faults]


def references(value):
    if isinstance(value, dict):
        for k, v in value.items():
            if k == "reference":
                yield v
            else:
                yield from references(v)
    elif isinstance(value, list):
        for v in value:
            yield from references(v)


def schema_faults(bundle, schema):
    """The whole Bundle against the schema; where it fails, each resource against its own
    definition, so that the message names the element rather than the schema's oneOf."""
    if jsonschema.Draft6Validator(schema).is_valid(bundle):
        return []
    faults = ["schema: the Bundle does not validate"]
    for i, entry in enumerate(bundle.get("entry", []), start=1):
        kind = entry.get("resource", {}).get("resourceType")
        own = {"$ref": "#/definitions/%s" % kind, "definitions": schema["definitions"]}
        for e in jsonschema.Draft6Validator(own).iter_errors(entry.get("resource")):
            faults.append("entry %d: schema: %s at %s" % (i, e.message[:160], "/".join(map(str, e.absolute_path))))
    return faults


def bundle_faults(bundle, schema):
    faults = schema_faults(bundle, schema)
    if bundle.get("type") != "collection":
        faults.append("Bundle.type is %r, not 'collection'" % bundle.get("type"))
    entries = bundle.get("entry", [])
    urls = {e.get("fullUrl") for e in entries}
    patients = {e.get("fullUrl") for e in entries if e["resource"]["resourceType"] == "Patient"}
    vital_signs = 0
    for i, entry in enumerate(entries, start=1):
        where = "entry %d" % i
        resource = entry["resource"]
        if not UUID_URL.match(entry.get("fullUrl", "")):
            faults.append("%s: fullUrl %r is not urn:uuid" % (where, entry.get("fullUrl")))
        for ref in references(resource):
            if ref not in urls:
                faults.append("%s: reference %r names no entry" % (where, ref))
        kind = resource["resourceType"]
        if kind == "Patient" and set(resource) != {"resourceType", "identifier"}:
            faults.append("%s: the Patient carries more than its identifier: %s" % (where, sorted(resource)))
        if kind != "Observation":
            continue
        is_vital = any("vital-signs" in codings(c, CATEGORY_SYSTEM) for c in resource.get("category", []))
        if is_vital or codings(resource.get("code"), LOINC):
            vital_signs += 1
            faults += vital_sign_faults(where, resource, patients)
        for component in resource.get("component", []):
            if codings(component.get("code"), LOINC):
                faults.append("%s: a component is under LOINC, as if measured" % where)
    return faults, vital_signs


def main():
    schema = json.load(open(sys.argv[1], encoding="utf-8"))
    failed = 0
    for name in sys.argv[2:]:
        bundle = json.load(open(name, encoding="utf-8"))
        faults, vital_signs = bundle_faults(bundle, schema)
        if bundle.get("entry") and vital_signs == 0:
            faults.append("no vital sign to check")
        for fault in faults:
            print("%s: %s" % (name, fault))
        print("%s: %d entries, %d vital signs, %s" % (name, len(bundle.get("entry", [])), vital_signs,
                                                       "FAILED" if faults else "passed"))
        failed += bool(faults)
    print("%d passed, %d failed" % (len(sys.argv) - 2 - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
