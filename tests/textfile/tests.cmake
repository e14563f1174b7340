# The text-file window's tests join here.
