// Stands for a base class that the user keeps outside the diagram.
class MyBase
{
};
