"""The type stubs name everything the package has, so that they cannot drift
from the module: every exported name, and every public method and property of
each class."""

import ast
import inspect
import pathlib

import instruments as ins

STUB = pathlib.Path(ins.__file__).with_name("__init__.pyi")


def stub_classes():
    tree = ast.parse(STUB.read_text(encoding="utf-8"))
    classes = {}
    for node in tree.body:
        if isinstance(node, ast.ClassDef):
            names = set()
            for item in node.body:
                if isinstance(item, (ast.FunctionDef, ast.AsyncFunctionDef)):
                    names.add(item.name)
                elif isinstance(item, ast.AnnAssign) and isinstance(item.target, ast.Name):
                    names.add(item.target.id)
            classes[node.name] = names
    return classes


def test_the_stubs_name_every_export_and_member():
    classes = stub_classes()
    missing = []
    for name in ins.__all__:
        value = getattr(ins, name)
        if not inspect.isclass(value):
            continue
        if name not in classes:
            missing.append(name)
            continue
        inherited = set().union(*(classes.get(base.__name__, set()) for base in value.__mro__[1:]))
        for member in vars(value):
            if member.startswith("_") or member in ("name", "value"):
                continue
            if member not in classes[name] | inherited:
                missing.append(f"{name}.{member}")
    assert not missing, f"not in {STUB.name}: {missing}"
