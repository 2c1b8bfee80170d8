# The commands a newcomer types. Each installs what it needs first (only what is missing).

.PHONY: all build test fuzz run run-windows package bench references clean

all: build

# The Linux program (GTK 3) and the Linux tests, debug build in build/gtk.
build:
	scripts/install-deps build
	cmake --preset gtk
	cmake --build --preset gtk

# Every test: the artwork and the feature movie; the Linux build with the GTK program, plainly and
# under AddressSanitizer + UndefinedBehaviorSanitizer; a short run of each fuzz target; the 32-bit
# release's imports; then the 64-bit Windows build under Wine, end to end included; last, how much
# of the code is test code.
test:
	scripts/install-deps test
	python3 scripts/make-assets.py --check
	python3 scripts/make-test-movie.py --check
	cmake --preset gtk
	cmake --build --preset gtk
	ctest --preset gtk
	cmake --preset gtk-asan
	cmake --build --preset gtk-asan
	ctest --preset gtk-asan
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz
	cmake --preset win32
	cmake --build --preset win32
	scripts/check-imports build/win32/skirmishcfg.exe i686-w64-mingw32-objdump
	cmake --preset win64
	cmake --build --preset win64
	ctest --preset win64
	scripts/count-code

# Each fuzz target for FUZZ_SECONDS in turn, then its executions and coverage. What the runs find
# grows in build/fuzz/corpus/; a crash leaves its input in build/fuzz/.
FUZZ_SECONDS ?= 300
fuzz:
	scripts/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz build/fuzz $(FUZZ_SECONDS)

# The Linux program, natively.
run:
	scripts/install-deps run
	cmake --preset gtk
	cmake --build --preset gtk --target skirmishcfg
	build/gtk/skirmishcfg

# The Windows program (its 64-bit build) under Wine, so that it can be seen on Linux.
run-windows:
	scripts/install-deps run-windows
	cmake --preset win64
	cmake --build --preset win64 --target skirmishcfg
	scripts/wine-run build/win64/skirmishcfg.exe

# The releases, in dist/: the 32-bit Windows program and the Linux one, each with its read-me and
# movie, to unpack into a folder of one's own.
package:
	scripts/install-deps package
	cmake --preset win32
	cmake --build --preset win32
	scripts/check-imports build/win32/skirmishcfg.exe i686-w64-mingw32-objdump
	rm -rf dist/skirmishcfg && mkdir -p dist/skirmishcfg
	cp build/win32/skirmishcfg.exe assets/readme.txt assets/tessel.swf dist/skirmishcfg/
	cd dist && rm -f skirmishcfg-win32.zip && zip -qr skirmishcfg-win32.zip skirmishcfg
	cmake --preset gtk-release
	cmake --build --preset gtk-release
	rm -rf dist/linux/skirmishcfg && mkdir -p dist/linux/skirmishcfg
	cp build/gtk-release/skirmishcfg build/gtk-release/readme.txt build/gtk-release/tessel.swf \
	    dist/linux/skirmishcfg/
	tar -czf dist/skirmishcfg-linux.tar.gz -C dist/linux skirmishcfg
	@echo "dist/skirmishcfg-win32.zip dist/skirmishcfg-linux.tar.gz"

# Start-up figures, printed (never asserted); the latest are kept in docs/benchmarks.md. The
# Windows program (64-bit, under Wine) against a bare window of the same build, to its first
# visible window and input idle, in memory, and the size of the shipped 32-bit exe; then the GTK
# program against a bare GTK window built with the same flags, to its first drawn frame and in
# resident memory at idle. Each program is also set beside its floor, measured in the same run:
# on Windows the main window's controls alone (the same classes, styles, fonts and manifest), on
# GTK the main window's text alone in the program's fonts. On Windows the text alone is then
# measured against the bare window too: the share of the figures that the Chinese text takes.
# Last, the About window's movie: one frame's drawing time, and the GTK program's processor time
# while About plays it, beside that of a bare window redrawn as often (the floor).
bench:
	scripts/install-deps bench
	cmake --preset win32
	cmake --build --preset win32 --target skirmishcfg
	cmake --preset win64
	cmake --build --preset win64 --target skirmishcfg bare_window text_window controls_window \
	    startup_bench
	bench/run build/win64 build/win32/skirmishcfg.exe
	cmake --preset gtk-release
	cmake --build --preset gtk-release --target skirmishcfg bare_gtk_window text_gtk_window \
	    gtk_startup_bench movie_frame_bench strip_floor
	bench/gtk/run build/gtk-release
	build/gtk-release/bench/gtk/movie_frame_bench assets/tessel.swf
	bench/gtk/movie_cpu build/gtk-release/skirmishcfg 20
	bench/gtk/movie_cpu build/gtk-release/bench/gtk/strip_floor 20

# The feature movie anew, and the frames of it and of the shipped movie as the reference player
# renders them into the About window's strip (tests/movie/); the tests compare the program's own
# frames with these. Needs Chromium and Node, which nothing else does.
references:
	scripts/install-deps references
	python3 scripts/make-test-movie.py
	scripts/references/run

clean:
	rm -rf build dist
