"""The program's artwork made from code: numbers, shapes and fonts, palettes, each picture's
drawing, the About movie, the read-mes, and the writers and readers of their file formats."""
