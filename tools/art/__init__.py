"""The program's pictures, drawn from code: see tools/draw-art."""

from pathlib import Path

RESOURCES = Path(__file__).resolve().parents[2] / "resources"
