# Morvix — top-level commands. `make run` and `make test` do all the set-up on a fresh machine.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60
SAMPLE     := resources/samples/sample_romans_contes.txt

.PHONY: all setup build run test test-asan bench fuzz format format-check check-packages clean

all: build

setup:
	@scripts/setup.sh

# The stamp of a configure is the build system it generates: a configure that failed leaves
# a cache but no Makefile, and is run again.
$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: setup $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)/bin $(SAMPLE)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(BUILD_ASAN)/Makefile:
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DMORVIX_SANITIZE=ON -DMORVIX_CORE_ONLY=ON

test-asan: setup $(BUILD_ASAN)/Makefile
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L 'core|cli'
	$(MAKE) fuzz FUZZ_SECONDS=$(FUZZ_SECONDS)

$(BUILD_FUZZ)/Makefile:
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMORVIX_FUZZ=ON -DMORVIX_SANITIZE=ON -DMORVIX_CORE_ONLY=ON

fuzz: setup $(BUILD_FUZZ)/Makefile
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzz_targets
	@scripts/fuzz.sh $(BUILD_FUZZ)/bin tests/fuzz $(FUZZ_SECONDS)

bench: build
	@scripts/bench.sh $(BUILD)

# Every Debian package the build uses is installed by scripts/setup.sh.
check-packages: build
	@scripts/check-packages.sh $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
