#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a pseudo-translation of a Qt .ts template: every text becomes "⟦text⟧", so that a test
can tell every text that went through the translation from one that did not.

Usage: pseudo_ts.py TEMPLATE.ts OUT.ts
"""
import sys
import xml.etree.ElementTree as ElementTree

tree = ElementTree.parse(sys.argv[1])
root = tree.getroot()
root.set("language", "xx")
for message in root.iter("message"):
    translation = message.find("translation")
    translation.attrib.pop("type", None)
    translation.text = "\u27e6" + (message.findtext("source") or "") + "\u27e7"
tree.write(sys.argv[2], encoding="utf-8", xml_declaration=True)
