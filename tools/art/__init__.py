"""The program's pictures, drawn from code: see tools/draw-art."""

from pathlib import Path

RESOURCES = Path(__file__).resolve().parents[2] / "resources"
PRODUCT_HEADER = Path(__file__).resolve().parents[2] / "product" / "Product.h"
