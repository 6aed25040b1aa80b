# Shortcuts for developers who have make; ./setup.sh does the work (and is
# what a bare machine runs: see the README).
.PHONY: play test deps asan bench minefield clean fuzz

play test deps asan bench minefield:
	./setup.sh $@

# Each fuzz target for FUZZ_TIME seconds (clang, libFuzzer, sanitizers).
FUZZ_TIME ?= 60
fuzz: deps
	fuzz/run.sh $(FUZZ_TIME)

clean:
	rm -rf build
