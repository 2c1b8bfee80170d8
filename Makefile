# The commands a newcomer types. Each installs what it needs first (only what is missing).

.PHONY: all build test clean

all: build

build:
	scripts/install-deps test
	cmake --preset dev
	cmake --build --preset dev

# Every test, in a plain build and under AddressSanitizer + UndefinedBehaviorSanitizer.
test:
	scripts/install-deps test
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

clean:
	rm -rf build
