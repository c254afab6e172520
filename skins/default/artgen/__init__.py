"""Draws the bitmaps of Vexlo's default skin: every frame strip and the program's bitmap
resources, pixel by pixel, from the palette in palette.py."""
