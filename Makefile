# The two commands of the README, and a few more for developers.
#   make play   install what is missing, build, start the jigsaw game on the sample puzzle
#   make test   install what is missing, build, run every test
JOBS ?= $(shell nproc)
SAMPLE := build/release/bin/sample.puz

.PHONY: play test deps asan bench minefield clean fuzz

deps:
	@tools/install-deps.sh

build/release/build.ninja: | deps
	cmake --preset release

build/debug/build.ninja: | deps
	cmake --preset debug

build/asan/build.ninja: | deps
	cmake --preset asan

play: deps build/release/build.ninja
	cmake --build --preset release -j $(JOBS)
	tools/play.sh build/release/bin $(SAMPLE)

minefield: deps build/release/build.ninja
	cmake --build --preset release -j $(JOBS) --target mvro
	build/release/bin/mvro

test: deps build/debug/build.ninja
	cmake --build --preset debug -j $(JOBS)
	ctest --preset debug -j $(JOBS)

asan: deps build/asan/build.ninja
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Each fuzz target for FUZZ_TIME seconds (clang, libFuzzer, sanitizers).
FUZZ_TIME ?= 60
fuzz: deps
	fuzz/run.sh $(FUZZ_TIME)

bench: deps build/release/build.ninja
	cmake --build --preset release -j $(JOBS)
	@for b in build/release/bin/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf build
