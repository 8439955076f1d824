namespace core {}
