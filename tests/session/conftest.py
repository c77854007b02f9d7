import pytest

from desktop import Desktop, Practice, Program


@pytest.fixture(scope="session")
def desktop():
    session = Desktop()
    yield session
    session.stop()


@pytest.fixture
def practice(tmp_path):
    return Practice(tmp_path)


@pytest.fixture
def scale():
    return 1


@pytest.fixture
# Starts a program on the practice; whatever still runs at the end is killed.
def start(desktop, practice, scale):
    started = []

    def run(name, *args):
        started.append(Program(desktop, practice, name, *args, scale=scale))
        return started[-1]
    yield run
    for program in started:
        program.process.kill()
