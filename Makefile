# The two commands a newcomer needs: `make play` and `make test`.
.PHONY: play test golden deps clean

deps:
	@tools/install-deps.sh

play: deps
	cmake --preset release
	cmake --build --preset release
	./build/release/vexmoor

test: deps
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

# Writes the golden dumps of the windows anew after a deliberate change of a text, colour or place.
golden: deps
	cmake --preset test
	cmake --build --preset test
	UPDATE_GOLDEN=1 ctest --preset test -R Golden

clean:
	rm -rf build
