# The commands a newcomer types. Each installs what it needs first (only what is missing).

.PHONY: all build test run package bench clean

all: build

build:
	scripts/install-deps test
	cmake --preset dev
	cmake --build --preset dev

# Every test: the artwork, a plain build and one under AddressSanitizer + UndefinedBehaviorSanitizer,
# the 32-bit release's imports, then the 64-bit Windows build under Wine, end to end included.
test:
	scripts/install-deps test
	python3 scripts/make-assets.py --check
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	cmake --preset win32
	cmake --build --preset win32
	scripts/check-imports build/win32/skirmishcfg.exe i686-w64-mingw32-objdump
	cmake --preset win64
	cmake --build --preset win64
	ctest --preset win64

# The Windows program (its 64-bit build) under Wine, so that it can be seen on Linux.
run:
	scripts/install-deps run
	cmake --preset win64
	cmake --build --preset win64 --target skirmishcfg
	scripts/wine-run build/win64/skirmishcfg.exe

# The release: the 32-bit program with its read-me and movie, in dist/.
package:
	scripts/install-deps package
	cmake --preset win32
	cmake --build --preset win32
	scripts/check-imports build/win32/skirmishcfg.exe i686-w64-mingw32-objdump
	rm -rf dist/skirmishcfg && mkdir -p dist/skirmishcfg
	cp build/win32/skirmishcfg.exe assets/readme.txt assets/tessel.swf dist/skirmishcfg/
	cd dist && rm -f skirmishcfg-win32.zip && zip -qr skirmishcfg-win32.zip skirmishcfg
	@echo "dist/skirmishcfg-win32.zip"

# Start-up time and memory of the Windows program (64-bit, under Wine) against a bare window of
# the same build, and the size of the shipped 32-bit exe. Figures are kept in docs/benchmarks.md.
bench:
	scripts/install-deps test
	cmake --preset win32
	cmake --build --preset win32 --target skirmishcfg
	cmake --preset win64
	cmake --build --preset win64 --target skirmishcfg bare_window startup_bench
	bench/run build/win64 build/win32/skirmishcfg.exe

clean:
	rm -rf build dist
