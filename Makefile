# The commands a newcomer types. Each installs what it needs first (only what is missing).

.PHONY: all build test fuzz run package clean

all: build

build:
	scripts/install-deps test
	cmake --preset dev
	cmake --build --preset dev

# Every test: the artwork, a plain build and one under AddressSanitizer + UndefinedBehaviorSanitizer,
# a short run of each fuzz target, the 32-bit release's imports, then the 64-bit Windows build
# under Wine, end to end included.
test:
	scripts/install-deps test
	python3 scripts/make-assets.py --check
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz
	cmake --preset win32
	cmake --build --preset win32
	scripts/check-imports build/win32/skirmishcfg.exe i686-w64-mingw32-objdump
	cmake --preset win64
	cmake --build --preset win64
	ctest --preset win64

# Each fuzz target for FUZZ_SECONDS in turn, then its executions and coverage. What the runs find
# grows in build/fuzz/corpus/; a crash leaves its input in build/fuzz/.
FUZZ_SECONDS ?= 300
fuzz:
	scripts/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz build/fuzz $(FUZZ_SECONDS)

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

clean:
	rm -rf build dist
