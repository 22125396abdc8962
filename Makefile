# Front door: `make run` starts KAVELO on the bundled data, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench data coast-source clean fuzz fuzz-ci check-asan

all: build

deps:
	@bash tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The program runs in run/, a git-ignored working folder holding a copy of the
# bundled DATA folder (and of the sample external lists in Extra/ and Hi-net/), so
# that its own writes never touch tracked files.
run: build
	@mkdir -p run
	@if [ ! -d run/DATA ]; then cp -r data/DATA run/DATA; fi
	@for d in Extra Hi-net; do if [ ! -d run/$$d ]; then cp -r data/$$d run/$$d; fi; done
	cd run && ../$(BUILD)/kavelo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/kavelo_bench

# Fuzz targets (clang, libFuzzer) in build-fuzz/: each runs FUZZ_SECONDS from its committed
# corpus in tests/fuzz/corpus. fuzz-ci is the short form that CI runs.
FUZZ_SECONDS ?= 60
fuzz: deps
	bash tests/fuzz/run.sh --seconds $(FUZZ_SECONDS) --build build-fuzz

fuzz-ci: deps
	bash tests/fuzz/run.sh --seconds 4 --build build-fuzz

# Every test suite built with AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/.
check-asan: deps
	bash tools/check-asan.sh build-asan

# Regenerates data/DATA from the tables and models in tools/ (no network needed),
# with a picture of coastlines, node grid and epicentres for a visual check.
data: build
	$(BUILD)/tools/kavelo_databuilder data/DATA --samples data --quicklook $(BUILD)/data-quicklook.png

# Refreshes the committed coastline extract from the npm package world-atlas@2.0.2
# (needs npm and the network), then regenerates data/DATA from it.
coast-source: build
	bash tools/fetch-coast.sh $(BUILD)/coast
	$(BUILD)/tools/kavelo_databuilder data/DATA --coast-json $(BUILD)/coast/land-10m.json \
	  --write-coast-source tools/coast/land-10m-east-asia.txt

clean:
	rm -rf $(BUILD) build-fuzz build-asan
