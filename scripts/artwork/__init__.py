"""Writers and readers shared by the scripts that make the program's artwork and test movies."""
